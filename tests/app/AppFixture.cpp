#include "AppFixture.h"

#include "RecordingFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

std::string WriteRecording(const std::filesystem::path& path, int n) {
    Recording recording;
    recording.config.periodSec = 60;
    SetClockStamp(recording.config, CivilDateTime{2015, 3, 5, 10, 0, 0});
    recording.config.tempLowAlarm = 2.0F;
    recording.config.tempHighAlarm = 8.0F;
    SetLoggerName(recording.config, "Камера 1");
    recording.config.recordedCount = static_cast<std::uint32_t>(n);
    for (int i = 0; i < n; ++i)
        recording.samples.push_back(static_cast<std::int16_t>(20 + (i * 7) % 60));
    const std::string error = WriteRecordingFile(path.string(), recording);
    EXPECT_EQ(error, "");
    return path.string();
}

AppEnvironment AppFixture::Environment() {
    AppEnvironment env;
    env.messageBoxes = &boxes;
    env.openDialog = &openDialog;
    env.openUrl = [this](const QUrl& url) {
        openedUrls.push_back(url);
        return urlOpens;
    };
    env.screenSize = screen;
    const QString recentFile = QString::fromStdString((dir / "recent.conf").string());
    env.userSettings = [recentFile] {
        return std::make_unique<QSettings>(recentFile, QSettings::IniFormat);
    };
    env.settingsFile = dir / "loggerconfig.ini";
    env.executableFolder = QString::fromStdString(dir.Path().string());
    return env;
}

bool AppFixture::Start(const QStringList& arguments) {
    app = std::make_unique<CDataLoggerApp>(Environment());
    const CommandLine commandLine = ParseCommandLine(arguments);
    EXPECT_TRUE(commandLine.error.isEmpty()) << commandLine.error.toStdString();
    return app->InitInstance(commandLine);
}
