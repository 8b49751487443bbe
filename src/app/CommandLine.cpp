#include "CommandLine.h"

#include <QCommandLineParser>

namespace {

void Describe(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("simulated-logger")}, QString(),
                                        QStringLiteral("path")));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine result;
    QCommandLineParser parser;
    Describe(parser);
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        result.error = unknown.isEmpty()
                           ? QStringLiteral("Параметру --simulated-logger нужен путь к файлу.")
                           : QStringLiteral("Неизвестный параметр: %1").arg(unknown.front());
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

QString CommandLineHelpText(const QString& program) {
    return QStringLiteral(
               "Использование: %1 [параметры] [ФАЙЛ]\n"
               "Конфигуратор ВЕЛТА Термикс-Т: настройка логгера температуры, загрузка и "
               "просмотр записей (*.rec0).\n"
               "\n"
               "Параметры:\n"
               "  --simulated-logger ПУТЬ  работать с образом памяти логгера из файла ПУТЬ\n"
               "                           вместо устройства USB\n"
               "  -h, --help               показать эту справку и выйти\n"
               "\n"
               "ФАЙЛ — запись (*.rec0), которую нужно открыть.\n")
        .arg(program);
}
