#include "AppFixture.h"
#include "CommandIds.h"
#include "DataLoggerView.h"
#include "IniFile.h"
#include "MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <set>

namespace {

// The menu bar as lines: "id text" for items, "-" for separators, "> title" opening a popup
// and "<" closing it.
void Describe(const QList<QAction*>& actions, QStringList& out) {
    for (QAction* action : actions) {
        if (action->isSeparator()) {
            out << QStringLiteral("-");
        } else if (QMenu* sub = action->menu()) {
            out << QStringLiteral("> ") + sub->title();
            Describe(sub->actions(), out);
            out << QStringLiteral("<");
        } else if (action->isVisible()) {
            out << QStringLiteral("%1 %2")
                       .arg(action->property("commandId").toInt())
                       .arg(action->text());
        }
    }
}

QString U(const char* s) {
    return QString::fromUtf8(s);
}

} // namespace

using FrameTest = AppFixture;

TEST_F(FrameTest, MenuBarHasEveryItemInOrderWithItsText) {
    ASSERT_TRUE(Start());
    QStringList menus;
    Describe(app->MainFrame()->menuBar()->actions(), menus);
    const QStringList expected{
        U("> &Файл"),
        U("57601 &Открыть...\tCtrl+O"),
        U("32805 &Сохранить как...\tCtrl+S"),
        U("-"),
        U("57607 &Печать...\tCtrl+P"),
        U("57609 Предварительный просмотр"),
        U("57606 H&астройка печати..."),
        U("-"),
        U("57616 Последние файлы"),
        U("-"),
        U("57665 В&ыход"),
        U("<"),
        U("> &Просмотр"),
        U("59392 &Панель инструментов"),
        U("59393 &Панель состояния"),
        U("-"),
        U("32788 &Уменишить"),
        U("32775 Увеличить"),
        U("32832 График &целиком"),
        U("-"),
        U("> Показывать линии"),
        U("32797 Температура"),
        U("32798 Нижняя аварийная граница температуры"),
        U("32799 Верхняя аварийная граница относительной влажности"),
        U("<"),
        U("> Фон"),
        U("32810 Полностью черный"),
        U("32811 Полностью белый"),
        U("32823 Черный и красный"),
        U("32824 Черный и синий"),
        U("<"),
        U("> Линии сетки"),
        U("32820 Ось Х"),
        U("32821 Ось Y"),
        U("<"),
        U("32822 Точки измерения на графике"),
        U("<"),
        U("> &Связь"),
        U("32773 &Настройки логгера..."),
        U("32772 &Загрузить данные..."),
        U("<"),
        U("> &Помощь"),
        U("57670 &Справка..."),
        U("57664 &О программе \"Конфигуратор ВЕЛТА Термикс-Т\"..."),
        U("<"),
    };
    EXPECT_EQ(menus, expected);
    // The Latin H and the Cyrillic Ha are where they belong.
    EXPECT_EQ(app->MainFrame()->CommandAction(ID_FILE_PRINT_SETUP)->text().at(0), QChar(u'H'));
    EXPECT_EQ(app->MainFrame()->CommandAction(ID_GRID_X)->text().back(), QChar(0x0425));
}

TEST_F(FrameTest, CommandsWithoutAHandlerAreDisabledAndTheRestEnabled) {
    ASSERT_TRUE(Start());
    CMainFrame* frame = app->MainFrame();
    const std::set<int> disabled{ID_DOWNLOAD_DATA,      ID_LOGGER_SETUP,     ID_SAVE_AS,
                                 ID_FILE_PRINT,         ID_FILE_PRINT_SETUP, ID_ZOOM_IN,
                                 ID_FILE_PRINT_PREVIEW, ID_FILE_MRU_FILE1};
    for (QAction* action : frame->findChildren<QAction*>()) {
        const QVariant id = action->property("commandId");
        if (!id.isValid())
            continue;
        EXPECT_EQ(action->isEnabled(), !disabled.contains(id.toInt())) << id.toInt();
    }
    for (int id : disabled)
        EXPECT_FALSE(frame->RunCommand(id)) << id;
}

TEST_F(FrameTest, InitialCheckMarksFollowTheViewSettings) {
    ASSERT_TRUE(Start());
    CMainFrame* frame = app->MainFrame();
    const std::set<int> checked{ID_VIEW_TOOLBAR,   ID_VIEW_STATUS_BAR, ID_SHOW_TEMPERATURE,
                                ID_SHOW_LOW_ALARM, ID_SHOW_HIGH_ALARM, ID_BACK_BLACK,
                                ID_GRID_X,         ID_GRID_Y};
    for (int id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_SHOW_TEMPERATURE, ID_SHOW_LOW_ALARM,
                   ID_SHOW_HIGH_ALARM, ID_BACK_BLACK, ID_BACK_WHITE, ID_BACK_BLACK_RED,
                   ID_BACK_BLACK_BLUE, ID_GRID_X, ID_GRID_Y, ID_POINT_MARKERS}) {
        QAction* action = frame->CommandAction(id);
        EXPECT_TRUE(action->isCheckable()) << id;
        EXPECT_EQ(action->isChecked(), checked.contains(id)) << id;
    }
}

TEST_F(FrameTest, StoredSettingsDecideTheCheckMarks) {
    IniFile ini(dir / "loggerconfig.ini");
    ini.WriteInt("VIEW CONFIG", "VIEWTEMP", 0);
    ini.WriteInt("VIEW CONFIG", "XGRIDENABLE", 2);
    ini.WriteInt("VIEW CONFIG", "SELECTBACK", 2);
    ASSERT_TRUE(Start());
    CMainFrame* frame = app->MainFrame();
    EXPECT_FALSE(frame->CommandAction(ID_SHOW_TEMPERATURE)->isChecked());
    EXPECT_TRUE(frame->CommandAction(ID_GRID_X)->isChecked()); // nonzero
    EXPECT_FALSE(frame->CommandAction(ID_BACK_BLACK)->isChecked());
    EXPECT_TRUE(frame->CommandAction(ID_BACK_BLACK_RED)->isChecked());
}

TEST_F(FrameTest, ViewCommandFromTheMenuTogglesWritesAndRepaints) {
    ASSERT_TRUE(Start(
        {QStringLiteral("termix"), QString::fromStdString(WriteRecording(dir / "r.rec0", 100))}));
    CMainFrame* frame = app->MainFrame();
    ASSERT_TRUE(WaitUntil([&] { return app->View()->FullPaintCount() > 0; }));
    const int paints = app->View()->FullPaintCount();
    frame->CommandAction(ID_SHOW_TEMPERATURE)->trigger();
    EXPECT_FALSE(frame->CommandAction(ID_SHOW_TEMPERATURE)->isChecked());
    EXPECT_EQ(app->View()->Settings().m_nShowTemp, 0);
    EXPECT_EQ(IniFile(dir / "loggerconfig.ini").ReadInt("VIEW CONFIG", "VIEWTEMP", -1), 0);
    EXPECT_EQ(app->View()->FullPaintCount(), paints + 1);

    frame->CommandAction(ID_BACK_WHITE)->trigger();
    EXPECT_TRUE(frame->CommandAction(ID_BACK_WHITE)->isChecked());
    EXPECT_FALSE(frame->CommandAction(ID_BACK_BLACK)->isChecked());
    EXPECT_EQ(IniFile(dir / "loggerconfig.ini").ReadInt("VIEW CONFIG", "SELECTBACK", -1), 1);
    // The active scheme chosen again still saves and repaints.
    frame->CommandAction(ID_BACK_WHITE)->trigger();
    EXPECT_TRUE(frame->CommandAction(ID_BACK_WHITE)->isChecked());
    EXPECT_EQ(app->View()->FullPaintCount(), paints + 3);
}

TEST_F(FrameTest, ToolbarHasSevenButtonsInOrderWithPromptsAndTips) {
    ASSERT_TRUE(Start());
    QToolBar* bar = app->MainFrame()->ToolBar();
    EXPECT_EQ(bar->iconSize(), QSize(24, 23));
    struct Button {
        int id;
        const char* prompt;
        const char* tip;
    };
    const std::vector<Button> expected{
        {ID_DOWNLOAD_DATA, "Загрузка данных из логгера", "Загрузить данные"},
        {ID_LOGGER_SETUP, "Настройки логгера", "Настройки логгера"},
        {ID_FILE_OPEN, "Открыть сохраненный документ", "Открыть"},
        {ID_SAVE_AS, "Сохранить как рисунок BMP или таблицу XLS (Microsoft Excel) ",
         "Сохранить как"},
        {ID_FILE_PRINT, "Напечатать текущий документ", "Печать"},
        {ID_VIEW_ALL, "График целиком", "График целиком"},
        {ID_ZOOM_OUT, "Уменишить", "Уменишить"},
    };
    const QList<QAction*> actions = bar->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QAction* a = actions[static_cast<qsizetype>(i)];
        EXPECT_FALSE(a->isSeparator());
        EXPECT_EQ(a->property("commandId").toInt(), expected[i].id);
        EXPECT_EQ(a->statusTip(), U(expected[i].prompt));
        EXPECT_EQ(a->toolTip(), U(expected[i].tip));
        // Normal and disabled look alike; the hot picture differs.
        const QImage normal = a->icon().pixmap(QSize(24, 23)).toImage();
        EXPECT_EQ(normal.size(), QSize(24, 23));
        EXPECT_EQ(a->icon().pixmap(QSize(24, 23), QIcon::Disabled).toImage(), normal);
        EXPECT_NE(a->icon().pixmap(QSize(24, 23), QIcon::Active).toImage(), normal);
    }
}

TEST_F(FrameTest, AcceleratorsSendTheirCommands) {
    const std::vector<std::pair<QKeySequence, int>> expected{
        {QKeySequence(QStringLiteral("Ctrl+N")), ID_FILE_NEW},
        {QKeySequence(QStringLiteral("Ctrl+O")), ID_FILE_OPEN},
        {QKeySequence(QStringLiteral("Ctrl+S")), ID_FILE_SAVE},
        {QKeySequence(QStringLiteral("Ctrl+P")), ID_FILE_PRINT},
        {QKeySequence(QStringLiteral("Ctrl+Z")), ID_EDIT_UNDO},
        {QKeySequence(QStringLiteral("Alt+Backspace")), ID_EDIT_UNDO},
        {QKeySequence(QStringLiteral("Ctrl+X")), ID_EDIT_CUT},
        {QKeySequence(QStringLiteral("Shift+Del")), ID_EDIT_CUT},
        {QKeySequence(QStringLiteral("Ctrl+C")), ID_EDIT_COPY},
        {QKeySequence(QStringLiteral("Ctrl+Ins")), ID_EDIT_COPY},
        {QKeySequence(QStringLiteral("Ctrl+V")), ID_EDIT_PASTE},
        {QKeySequence(QStringLiteral("Shift+Ins")), ID_EDIT_PASTE},
        {QKeySequence(QStringLiteral("F6")), ID_NEXT_PANE},
        {QKeySequence(QStringLiteral("Shift+F6")), ID_PREV_PANE},
        {QKeySequence(QStringLiteral("F1")), ID_HELP_FINDER},
    };
    std::vector<std::pair<QKeySequence, int>> table;
    for (const Accelerator& a : AcceleratorTable())
        table.emplace_back(a.keys, a.commandId);
    EXPECT_EQ(table, expected);

    ASSERT_TRUE(Start());
    // Only Open and the help key have handlers; the editing and pane keys do nothing.
    for (int id : {ID_FILE_NEW, ID_FILE_SAVE, ID_FILE_PRINT, ID_EDIT_UNDO, ID_EDIT_CUT,
                   ID_EDIT_COPY, ID_EDIT_PASTE, ID_NEXT_PANE, ID_PREV_PANE})
        EXPECT_FALSE(app->MainFrame()->RunCommand(id)) << id;
    // No menu item carries a shortcut of its own: the table alone decides.
    for (int id : {ID_FILE_OPEN, ID_SAVE_AS, ID_FILE_PRINT})
        EXPECT_TRUE(app->MainFrame()->CommandAction(id)->shortcut().isEmpty());
}

TEST_F(FrameTest, StatusBarShowsTheIdlePromptAndTheLockPanes) {
    ASSERT_TRUE(Start());
    QStatusBar* bar = app->MainFrame()->statusBar();
    auto* message = bar->findChild<QLabel*>(QStringLiteral("messagePane"));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text(), U("Нажмите F1, чтобы открыть справку"));
    for (const char* name : {"CAP", "NUM", "SCRL"}) {
        auto* pane = bar->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(pane, nullptr) << name;
        EXPECT_EQ(pane->text(), QString::fromLatin1(name));
    }
}

TEST_F(FrameTest, BarCommandsShowAndHideTheBars) {
    ASSERT_TRUE(Start());
    CMainFrame* frame = app->MainFrame();
    frame->CommandAction(ID_VIEW_TOOLBAR)->trigger();
    EXPECT_TRUE(frame->ToolBar()->isHidden());
    EXPECT_FALSE(frame->CommandAction(ID_VIEW_TOOLBAR)->isChecked());
    frame->CommandAction(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_TRUE(frame->statusBar()->isHidden());
    EXPECT_FALSE(frame->CommandAction(ID_VIEW_STATUS_BAR)->isChecked());
    frame->CommandAction(ID_VIEW_TOOLBAR)->trigger();
    EXPECT_FALSE(frame->ToolBar()->isHidden());
    EXPECT_TRUE(frame->CommandAction(ID_VIEW_TOOLBAR)->isChecked());
}

TEST_F(FrameTest, TitleNeverTakesTheDocumentNameFromTheFrame) {
    ASSERT_TRUE(Start());
    CMainFrame* frame = app->MainFrame();
    // A refused open leaves the title alone.
    const std::string bad = WriteRecording(dir / "x.REC0", 5);
    EXPECT_FALSE(app->OpenDocumentFile(QString::fromStdString(bad)));
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->windowTitle(), U("Конфигуратор ВЕЛТА Термикс-Т"));
    EXPECT_TRUE(frame->windowFilePath().isEmpty());
}

TEST_F(FrameTest, RightClickOnTheBarsOpensNoMenu) {
    ASSERT_TRUE(Start());
    CMainFrame* frame = app->MainFrame();
    for (QWidget* bar :
         {static_cast<QWidget*>(frame->ToolBar()), static_cast<QWidget*>(frame->statusBar())}) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                bar->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(bar, &event);
        QCoreApplication::processEvents();
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_FALSE(qobject_cast<QMenu*>(w) != nullptr && w->isVisible());
    }
}

TEST_F(FrameTest, TheActiveChartViewIsTheMainWindowsView) {
    EXPECT_EQ(CDataLoggerView::GetActiveChartView(), nullptr);
    ASSERT_TRUE(Start());
    EXPECT_EQ(CDataLoggerView::GetActiveChartView(), app->View());
    app.reset();
    EXPECT_EQ(CDataLoggerView::GetActiveChartView(), nullptr);
}
