#include "AppFixture.h"
#include "AppTitle.h"
#include "CommandIds.h"
#include "DataLoggerDoc.h"
#include "DataLoggerView.h"
#include "MainFrame.h"
#include "RecentFiles.h"
#include "SingleInstance.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <algorithm>
#include <future>

namespace {

const QString kTitle = QString::fromUtf8(kAppTitle);

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString TitleWith(const char* name) {
    return kTitle + QStringLiteral(" [%1]").arg(name);
}

} // namespace

using AppStartTest = AppFixture;

TEST_F(AppStartTest, FrameOpensOnThreeFifthsOfTheScreenCentred) {
    struct Case {
        QSize screen;
        QRect frame;
    };
    for (const Case& c :
         {Case{{1920, 1080}, {384, 216, 1152, 648}}, Case{{1366, 768}, {273, 154, 819, 460}}}) {
        screen = c.screen;
        ASSERT_TRUE(Start());
        CMainFrame* frame = app->MainFrame();
        EXPECT_EQ(QRect(frame->pos(), frame->size()), c.frame) << c.screen.width();
        app.reset();
    }
}

TEST_F(AppStartTest, WithoutArgumentsShowsAnEmptyDocumentUnderTheBareTitle) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(app->MainFrame()->isVisible());
    EXPECT_EQ(app->Document().m_nCount, 0);
    EXPECT_TRUE(WaitUntil([&] { return app->View()->FullPaintCount() == 0; }));
    EXPECT_EQ(app->MainFrame()->windowTitle(), kTitle);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(AppStartTest, FileArgumentOpensAndTheFirstFullPaintNamesItInTheTitle) {
    const std::string path = WriteRecording(dir / "run1.rec0", 500);
    ASSERT_TRUE(Start({QStringLiteral("termix"), Q(path)}));
    EXPECT_EQ(app->Document().m_nCount, 500);
    ASSERT_TRUE(WaitUntil([&] { return app->View()->FullPaintCount() > 0; }));
    EXPECT_EQ(app->MainFrame()->windowTitle(), TitleWith("run1.rec0"));
    EXPECT_TRUE(app->Document().m_bDrawn);
    EXPECT_EQ(app->RecentFiles().Files(), QStringList{Q(path)});
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(AppStartTest, RelativeFileArgumentIsOpenedByItsFullPath) {
    const std::string path = WriteRecording(dir / "rel.rec0", 10);
    const QString old = QDir::currentPath();
    QDir::setCurrent(Q(dir.Path().string()));
    const bool started = Start({QStringLiteral("termix"), QStringLiteral("rel.rec0")});
    QDir::setCurrent(old);
    ASSERT_TRUE(started);
    EXPECT_EQ(app->RecentFiles().Files(), QStringList{Q(path)});
}

TEST_F(AppStartTest, UpperCaseExtensionOnTheCommandLineIsRefusedAndStartFails) {
    const std::string path = WriteRecording(dir / "RUN.REC0", 10);
    EXPECT_FALSE(Start({QStringLiteral("termix"), Q(path)}));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Доступ к " + path + " запрещен."});
    EXPECT_FALSE(app->MainFrame()->isVisible());
    EXPECT_TRUE(app->RecentFiles().Files().isEmpty());
}

TEST_F(AppStartTest, MissingFileOnTheCommandLineIsRefusedAndStartFails) {
    const std::string path = (dir / "gone.rec0").string();
    EXPECT_FALSE(Start({QStringLiteral("termix"), Q(path)}));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{" " + path + " файл не найден."});
}

TEST_F(AppStartTest, FileThatIsNoRecordingOnTheCommandLineStillStartsTheProgram) {
    const std::string path = (dir / "notes.rec0").string();
    WriteAll(path, std::string("plain text, not a recording"));
    ASSERT_TRUE(Start({QStringLiteral("termix"), Q(path)}));
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"Ошибка! Файл содержит некорректные данные."});
    EXPECT_TRUE(app->MainFrame()->isVisible());
    EXPECT_EQ(app->Document().m_nCount, 0);
    EXPECT_EQ(app->MainFrame()->windowTitle(), kTitle);
}

TEST_F(AppStartTest, SimulatedLoggerPathIsKeptForTheDialogs) {
    ASSERT_TRUE(Start({QStringLiteral("termix"), QStringLiteral("--simulated-logger"),
                       QStringLiteral("/tmp/cold.logger")}));
    EXPECT_EQ(app->SimulatedLoggerPath(), QStringLiteral("/tmp/cold.logger"));
}

TEST_F(AppStartTest, OpenCommandAsksForAFileAndOpensIt) {
    ASSERT_TRUE(Start());
    openDialog.answer.clear();
    EXPECT_TRUE(app->MainFrame()->RunCommand(ID_FILE_OPEN));
    EXPECT_EQ(openDialog.asked, 1);
    EXPECT_EQ(app->Document().m_nCount, 0);

    openDialog.answer = Q(WriteRecording(dir / "picked.rec0", 40));
    app->MainFrame()->CommandAction(ID_FILE_OPEN)->trigger();
    EXPECT_EQ(app->Document().m_nCount, 40);
    EXPECT_TRUE(
        WaitUntil([&] { return app->MainFrame()->windowTitle() == TitleWith("picked.rec0"); }));
}

TEST_F(AppStartTest, DroppedFileOpensLikeFileOpen) {
    ASSERT_TRUE(Start());
    CMainFrame* frame = app->MainFrame();
    // A drag enters the window, then drops: true when both were taken.
    const auto drop = [frame](const std::string& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(Q(path))});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &enter);
        QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &dropped);
        return enter.isAccepted() && dropped.isAccepted();
    };
    EXPECT_TRUE(drop(WriteRecording(dir / "dropped.rec0", 30)));
    EXPECT_EQ(app->Document().m_nCount, 30);
    EXPECT_TRUE(WaitUntil([&] { return frame->windowTitle() == TitleWith("dropped.rec0"); }));

    // A dropped file goes through the same open check.
    const std::string refused = WriteRecording(dir / "other.txt", 5);
    EXPECT_TRUE(drop(refused));
    EXPECT_EQ(app->Document().m_nCount, 30);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Доступ к " + refused + " запрещен."});
}

TEST_F(AppStartTest, NonFileDropIsNotAccepted) {
    ASSERT_TRUE(Start());
    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("https://example.org/a.rec0"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QCoreApplication::sendEvent(app->MainFrame(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(AppStartTest, RecentFilesFillTheFileMenuAndSurviveARestart) {
    const std::string a = WriteRecording(dir / "a.rec0", 10);
    const std::string b = WriteRecording(dir / "b.rec0", 20);
    ASSERT_TRUE(Start({QStringLiteral("termix"), Q(a)}));
    ASSERT_TRUE(app->OpenDocumentFile(Q(b)));
    app.reset();

    ASSERT_TRUE(Start());
    EXPECT_EQ(app->RecentFiles().Files(), (QStringList{Q(b), Q(a)}));
    QStringList entries;
    bool placeholderVisible = true;
    for (QAction* action : app->MainFrame()->FileMenu()->actions()) {
        const int id = action->property("commandId").toInt();
        if (id == ID_FILE_MRU_FILE1 && action->text() == QStringLiteral("Последние файлы"))
            placeholderVisible = action->isVisible();
        else if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + 4)
            entries << action->text();
    }
    EXPECT_FALSE(placeholderVisible);
    EXPECT_EQ(entries, (QStringList{QStringLiteral("&1 ") + Q(b), QStringLiteral("&2 ") + Q(a)}));

    app->OnRecentFile(1);
    EXPECT_EQ(app->Document().m_nCount, 10);
    EXPECT_EQ(app->RecentFiles().Files(), (QStringList{Q(a), Q(b)}));
}

TEST_F(AppStartTest, RecentFileThatIsGoneLeavesTheList) {
    const std::string a = WriteRecording(dir / "a.rec0", 10);
    ASSERT_TRUE(Start({QStringLiteral("termix"), Q(a)}));
    std::filesystem::remove(a);
    app->OnRecentFile(0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{" " + a + " файл не найден."});
    EXPECT_TRUE(app->RecentFiles().Files().isEmpty());
    EXPECT_EQ(app->Document().m_nCount, 10);
}

TEST_F(AppStartTest, SaveKeyNeverWritesTheRecording) {
    const std::string path = WriteRecording(dir / "keep.rec0", 50);
    const std::vector<unsigned char> before = ReadAll(path);
    ASSERT_TRUE(Start({QStringLiteral("termix"), Q(path)}));
    const auto files = [&] {
        std::vector<std::filesystem::path> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            names.push_back(entry.path());
        std::sort(names.begin(), names.end());
        return names;
    };
    const auto filesBefore = files();
    EXPECT_FALSE(app->MainFrame()->RunCommand(ID_FILE_SAVE));
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(files(), filesBefore);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(AppStartTest, HelpOpensTheHelpPageBesideTheProgram) {
    ASSERT_TRUE(Start());
    urlOpens = false; // a failure is not reported
    EXPECT_TRUE(app->MainFrame()->RunCommand(ID_HELP_FINDER));
    ASSERT_EQ(openedUrls.size(), 1U);
    EXPECT_EQ(openedUrls[0], QUrl::fromLocalFile(Q((dir / "help.htm").string())));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(AppStartTest, SecondStartHandsItsFileToTheRunningOne) {
    const QString name = QStringLiteral("termix-test-%1").arg(QCoreApplication::applicationPid());
    app = std::make_unique<CDataLoggerApp>([&] {
        AppEnvironment env = Environment();
        env.instanceName = name;
        return env;
    }());
    ASSERT_TRUE(app->InitInstance(CommandLine{}));
    const std::string path = WriteRecording(dir / "second.rec0", 25);
    auto handed = std::async(std::launch::async,
                             [&] { return SingleInstance::HandOver(name, Q(path), 5000); });
    ASSERT_TRUE(WaitUntil([&] { return app->Document().m_nCount == 25; }, 5000));
    EXPECT_TRUE(handed.get());
    EXPECT_TRUE(
        WaitUntil([&] { return app->MainFrame()->windowTitle() == TitleWith("second.rec0"); }));
}

TEST_F(AppStartTest, NoRunningInstanceTakesNothing) {
    EXPECT_FALSE(SingleInstance::HandOver(QStringLiteral("termix-test-nobody"),
                                          QStringLiteral("/tmp/x.rec0"), 500));
}
