#include "AppTitle.h"
#include "CommandLine.h"
#include "DataLoggerApp.h"
#include "OpenFileDialog.h"
#include "QtMessageBoxes.h"
#include "SingleInstance.h"

#include <QApplication>
#include <QFileInfo>
#include <clocale>
#include <cstdio>

int main(int argc, char** argv) {
    // Read before any window system is touched, so --help works without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    CommandLine commandLine = ParseCommandLine(arguments);
    if (commandLine.help) {
        std::fputs(
            CommandLineHelpText(QFileInfo(arguments.front()).fileName()).toLocal8Bit().constData(),
            stdout);
        return 0;
    }

    QApplication application(argc, argv);
    // Qt adopts the user's locale; numbers in labels, readouts and files keep their full stop.
    std::setlocale(LC_NUMERIC, "C");
    // Qt takes its own options (-platform, -style ...) out of the arguments.
    if (!commandLine.error.isEmpty())
        commandLine = ParseCommandLine(QApplication::arguments());
    if (!commandLine.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", commandLine.error.toLocal8Bit().constData());
        return 2;
    }
    QApplication::setApplicationName(QString::fromUtf8(kAppTitle));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/termix/termix.png")));

    const QString instanceName = SingleInstance::DefaultServerName();
    if (!commandLine.file.isEmpty() &&
        SingleInstance::HandOver(instanceName, QFileInfo(commandLine.file).absoluteFilePath()))
        return 0;

    QtMessageBoxes messageBoxes;
    QtOpenFileDialog openDialog;
    AppEnvironment environment;
    environment.messageBoxes = &messageBoxes;
    environment.openDialog = &openDialog;
    environment.instanceName = instanceName;
    CDataLoggerApp app(std::move(environment));
    if (!app.InitInstance(commandLine))
        return 1;
    return QApplication::exec();
}
