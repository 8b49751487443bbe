// From starting the program with the largest recording to the end of its first full paint:
// application, main window and view built, the file opened, the window shown and painted.
#include "CommandLine.h"
#include "DataLoggerApp.h"
#include "DataLoggerView.h"
#include "LargestRecording.h"
#include "MessageBoxes.h"
#include "OpenFileDialog.h"
#include "RecordingFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class SilentBoxes final : public MessageBoxes {
public:
    MessageAnswer Show(const std::string&, MessageIcon, MessageButtons) override {
        ++shown;
        return MessageAnswer::Ok;
    }
    int shown = 0;
};

class NoOpenDialog final : public OpenFileDialog {
public:
    QString AskOpenPath(QWidget*) override { return {}; }
};

std::string WriteLargestRecording(const QString& folder) {
    const Recording recording{LargestRunConfig(), LargestRunSamples()};
    const std::string path = QDir(folder).filePath(QStringLiteral("largest.rec0")).toStdString();
    if (!WriteRecordingFile(path, recording).empty())
        return {};
    return path;
}

void BM_StartToFirstFullPaint(benchmark::State& state) {
    QTemporaryDir folder;
    const std::string file = WriteLargestRecording(folder.path());
    if (file.empty()) {
        state.SkipWithError("cannot write the recording");
        return;
    }
    SilentBoxes boxes;
    NoOpenDialog dialog;
    CommandLine commandLine;
    commandLine.file = QString::fromStdString(file);
    for (auto _ : state) {
        AppEnvironment env;
        env.messageBoxes = &boxes;
        env.openDialog = &dialog;
        env.screenSize = QSize(1920, 1080);
        env.settingsFile =
            QDir(folder.path()).filePath(QStringLiteral("loggerconfig.ini")).toStdString();
        const QString recent = QDir(folder.path()).filePath(QStringLiteral("recent.conf"));
        env.userSettings = [recent] {
            return std::make_unique<QSettings>(recent, QSettings::IniFormat);
        };
        auto app = std::make_unique<CDataLoggerApp>(std::move(env));
        if (!app->InitInstance(commandLine)) {
            state.SkipWithError("start-up failed");
            break;
        }
        while (app->View()->FullPaintCount() == 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.PauseTiming();
        app.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (boxes.shown != 0)
        state.SkipWithError("a message was shown");
}
BENCHMARK(BM_StartToFirstFullPaint)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace
