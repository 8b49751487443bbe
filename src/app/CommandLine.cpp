#include "CommandLine.h"

#include <QCommandLineParser>

namespace {

void Describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Конфигуратор ВЕЛТА Термикс-Т: настройка логгера температуры, загрузка "
                       "и просмотр записей (*.rec0)."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(
        QStringList{QStringLiteral("simulated-logger")},
        QStringLiteral("Работать с образом памяти логгера из файла ПУТЬ вместо устройства USB."),
        QStringLiteral("ПУТЬ")));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Показать эту справку и выйти.")));
    parser.addPositionalArgument(QStringLiteral("ФАЙЛ"), QStringLiteral("Открыть запись (*.rec0)."),
                                 QStringLiteral("[ФАЙЛ]"));
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine result;
    QCommandLineParser parser;
    Describe(parser);
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
        return result;
    }
    result.help = parser.isSet(QStringLiteral("help"));
    result.simulatedLogger = parser.value(QStringLiteral("simulated-logger"));
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        result.error = QStringLiteral("Можно открыть только один файл.");
    else if (!files.isEmpty())
        result.file = files.front();
    return result;
}

QString CommandLineHelpText() {
    QCommandLineParser parser;
    Describe(parser);
    return parser.helpText();
}
