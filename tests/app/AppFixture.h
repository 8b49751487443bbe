#pragma once

#include "DataLoggerApp.h"
#include "OpenFileDialog.h"
#include "RecordingMessageBoxes.h"
#include "TempDir.h"

#include <QUrl>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

class FakeOpenDialog final : public OpenFileDialog {
public:
    QString AskOpenPath(QWidget*) override {
        ++asked;
        return answer;
    }
    QString answer;
    int asked = 0;
};

// Runs the event loop until done() holds or timeoutMs have passed; the final done().
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 3000);

// A recording file of n samples (a slow ramp) with a valid start time; returns its path.
std::string WriteRecording(const std::filesystem::path& path, int n);

// An application on a private settings folder, a 1920 x 1080 screen, recorded message boxes,
// a scripted open dialog and a recording web opener.
class AppFixture : public ::testing::Test {
protected:
    AppEnvironment Environment();
    // Builds the application and runs its start-up with these arguments (program name first).
    bool Start(const QStringList& arguments = {QStringLiteral("termix")});

    TempDir dir;
    RecordingMessageBoxes boxes;
    FakeOpenDialog openDialog;
    std::vector<QUrl> openedUrls;
    bool urlOpens = true;
    QSize screen{1920, 1080};
    std::unique_ptr<CDataLoggerApp> app;
};
