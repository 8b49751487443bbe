#include "MainFrame.h"

#include "CommandIds.h"
#include "DataLoggerView.h"
#include "FrameGeometry.h"
#include "ToolbarImages.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>

namespace {

// Prompt (status bar) and tooltip of the commands that have them.
struct CommandStrings {
    int commandId;
    const char* prompt;
    const char* tip;
};

constexpr CommandStrings kCommandStrings[] = {
    {ID_DOWNLOAD_DATA, "Загрузка данных из логгера", "Загрузить данные"},
    {ID_LOGGER_SETUP, "Настройки логгера", "Настройки логгера"},
    {ID_FILE_OPEN, "Открыть сохраненный документ", "Открыть"},
    {ID_SAVE_AS, "Сохранить как рисунок BMP или таблицу XLS (Microsoft Excel) ", "Сохранить как"},
    {ID_FILE_PRINT, "Напечатать текущий документ", "Печать"},
    {ID_VIEW_ALL, "График целиком", "График целиком"},
    {ID_ZOOM_OUT, "Уменишить", "Уменишить"},
    {ID_ZOOM_IN, "Увеличить", "Увеличить"},
};

constexpr const char* kIdleMessage = "Нажмите F1, чтобы открыть справку";

bool IsViewCommand(int id) {
    switch (id) {
    case ID_SHOW_TEMPERATURE:
    case ID_SHOW_LOW_ALARM:
    case ID_SHOW_HIGH_ALARM:
    case ID_BACK_BLACK:
    case ID_BACK_WHITE:
    case ID_BACK_BLACK_RED:
    case ID_BACK_BLACK_BLUE:
    case ID_GRID_X:
    case ID_GRID_Y:
    case ID_POINT_MARKERS:
        return true;
    default:
        return false;
    }
}

QString LocalFileOf(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

} // namespace

const std::vector<Accelerator>& AcceleratorTable() {
    static const std::vector<Accelerator> table{
        {QKeySequence(Qt::CTRL | Qt::Key_N), ID_FILE_NEW},
        {QKeySequence(Qt::CTRL | Qt::Key_O), ID_FILE_OPEN},
        {QKeySequence(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE},
        {QKeySequence(Qt::CTRL | Qt::Key_P), ID_FILE_PRINT},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), ID_EDIT_UNDO},
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), ID_EDIT_UNDO},
        {QKeySequence(Qt::CTRL | Qt::Key_X), ID_EDIT_CUT},
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), ID_EDIT_CUT},
        {QKeySequence(Qt::CTRL | Qt::Key_C), ID_EDIT_COPY},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), ID_EDIT_COPY},
        {QKeySequence(Qt::CTRL | Qt::Key_V), ID_EDIT_PASTE},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), ID_EDIT_PASTE},
        {QKeySequence(Qt::Key_F6), ID_NEXT_PANE},
        {QKeySequence(Qt::SHIFT | Qt::Key_F6), ID_PREV_PANE},
        // The status bar promises help on F1.
        {QKeySequence(Qt::Key_F1), ID_HELP_FINDER},
    };
    return table;
}

const std::vector<int>& ToolbarCommands() {
    static const std::vector<int> commands{ID_DOWNLOAD_DATA, ID_LOGGER_SETUP, ID_FILE_OPEN,
                                           ID_SAVE_AS,       ID_FILE_PRINT,   ID_VIEW_ALL,
                                           ID_ZOOM_OUT};
    return commands;
}

CMainFrame::CMainFrame(QSize screenSize, QWidget* parent) : QMainWindow(parent) {
    // The title never follows the document by itself; the application and the view set it.
    setWindowTitle(QString());
    const FrameRect r = StartFrameRect(screenSize.width(), screenSize.height());
    move(r.left, r.top);
    resize(r.width, r.height);
    setAcceptDrops(true);

    BuildMenus();
    BuildAccelerators();
    BuildToolBar();
    BuildStatusBar();

    SetCommandHandler(ID_VIEW_TOOLBAR, [this] { m_toolBar->setVisible(m_toolBar->isHidden()); });
    SetCommandHandler(ID_VIEW_STATUS_BAR,
                      [this] { statusBar()->setVisible(statusBar()->isHidden()); });
    SetCommandHandler(ID_APP_EXIT, [this] { close(); });
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::MakeAction(int commandId, const QString& text) {
    auto* action = new QAction(text, this);
    action->setProperty("commandId", commandId);
    action->setIconVisibleInMenu(false);
    // Disabled until someone handles it.
    action->setEnabled(false);
    for (const CommandStrings& s : kCommandStrings) {
        if (s.commandId == commandId) {
            action->setStatusTip(QString::fromUtf8(s.prompt));
            action->setToolTip(QString::fromUtf8(s.tip));
        }
    }
    connect(action, &QAction::triggered, this, [this, commandId] { RunCommand(commandId); });
    m_actions[commandId] = action;
    return action;
}

void CMainFrame::BuildMenus() {
    QMenuBar* bar = menuBar();
    const auto add = [this](QMenu* menu, int id, const char* text) {
        menu->addAction(MakeAction(id, QString::fromUtf8(text)));
    };

    m_fileMenu = bar->addMenu(QStringLiteral("&Файл"));
    add(m_fileMenu, ID_FILE_OPEN, "&Открыть...\tCtrl+O");
    add(m_fileMenu, ID_SAVE_AS, "&Сохранить как...\tCtrl+S");
    m_fileMenu->addSeparator();
    add(m_fileMenu, ID_FILE_PRINT, "&Печать...\tCtrl+P");
    add(m_fileMenu, ID_FILE_PRINT_PREVIEW, "Предварительный просмотр");
    // The first letter is a Latin H.
    add(m_fileMenu, ID_FILE_PRINT_SETUP, "H&астройка печати...");
    m_fileMenu->addSeparator();
    add(m_fileMenu, ID_FILE_MRU_FILE1, "Последние файлы");
    m_recentPlaceholder = m_actions[ID_FILE_MRU_FILE1];
    m_fileMenu->addSeparator();
    add(m_fileMenu, ID_APP_EXIT, "В&ыход");

    QMenu* view = bar->addMenu(QStringLiteral("&Просмотр"));
    add(view, ID_VIEW_TOOLBAR, "&Панель инструментов");
    add(view, ID_VIEW_STATUS_BAR, "&Панель состояния");
    view->addSeparator();
    add(view, ID_ZOOM_OUT, "&Уменишить");
    add(view, ID_ZOOM_IN, "Увеличить");
    add(view, ID_VIEW_ALL, "График &целиком");
    view->addSeparator();
    QMenu* lines = view->addMenu(QStringLiteral("Показывать линии"));
    add(lines, ID_SHOW_TEMPERATURE, "Температура");
    add(lines, ID_SHOW_LOW_ALARM, "Нижняя аварийная граница температуры");
    add(lines, ID_SHOW_HIGH_ALARM, "Верхняя аварийная граница относительной влажности");
    QMenu* back = view->addMenu(QStringLiteral("Фон"));
    add(back, ID_BACK_BLACK, "Полностью черный");
    add(back, ID_BACK_WHITE, "Полностью белый");
    add(back, ID_BACK_BLACK_RED, "Черный и красный");
    add(back, ID_BACK_BLACK_BLUE, "Черный и синий");
    QMenu* grid = view->addMenu(QStringLiteral("Линии сетки"));
    add(grid, ID_GRID_X, "Ось Х"); // Cyrillic Ha
    add(grid, ID_GRID_Y, "Ось Y"); // Latin Y
    add(view, ID_POINT_MARKERS, "Точки измерения на графике");

    QMenu* link = bar->addMenu(QStringLiteral("&Связь"));
    add(link, ID_LOGGER_SETUP, "&Настройки логгера...");
    add(link, ID_DOWNLOAD_DATA, "&Загрузить данные...");

    QMenu* help = bar->addMenu(QStringLiteral("&Помощь"));
    add(help, ID_HELP_FINDER, "&Справка...");
    add(help, ID_APP_ABOUT, "&О программе \"Конфигуратор ВЕЛТА Термикс-Т\"...");

    for (int id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_SHOW_TEMPERATURE, ID_SHOW_LOW_ALARM,
                   ID_SHOW_HIGH_ALARM, ID_BACK_BLACK, ID_BACK_WHITE, ID_BACK_BLACK_RED,
                   ID_BACK_BLACK_BLUE, ID_GRID_X, ID_GRID_Y, ID_POINT_MARKERS})
        m_actions[id]->setCheckable(true);
    for (int id :
         {ID_SHOW_TEMPERATURE, ID_SHOW_LOW_ALARM, ID_SHOW_HIGH_ALARM, ID_GRID_X, ID_GRID_Y})
        m_actions[id]->setChecked(true);

    for (QMenu* menu : bar->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
}

void CMainFrame::BuildAccelerators() {
    for (const Accelerator& a : AcceleratorTable()) {
        auto* shortcut = new QAction(this);
        shortcut->setShortcut(a.keys);
        shortcut->setShortcutContext(Qt::WindowShortcut);
        shortcut->setProperty("acceleratorFor", a.commandId);
        const int id = a.commandId;
        connect(shortcut, &QAction::triggered, this, [this, id] { RunCommand(id); });
        addAction(shortcut);
    }
}

void CMainFrame::BuildToolBar() {
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setProperty("controlId", ID_VIEW_TOOLBAR);
    m_toolBar->setIconSize(QSize(kButtonWidth, kButtonHeight));
    m_toolBar->setMovable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    const std::vector<QIcon> icons = MakeButtonIcons();
    const std::vector<int>& commands = ToolbarCommands();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        QAction* action = m_actions.at(commands[i]);
        if (i < icons.size())
            action->setIcon(icons[i]);
        m_toolBar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    setDockNestingEnabled(true);
}

void CMainFrame::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setProperty("controlId", ID_VIEW_STATUS_BAR);
    auto* message = new QLabel(QString::fromUtf8(kIdleMessage), bar);
    message->setObjectName(QStringLiteral("messagePane"));
    bar->addWidget(message, 1);
    // Qt reads no lock-key state that is portable across window systems: the panes are shown,
    // greyed, as placeholders.
    for (const char* name : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(QString::fromLatin1(name), bar);
        pane->setObjectName(QString::fromLatin1(name));
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        pane->setEnabled(false);
        bar->addPermanentWidget(pane);
    }
}

void CMainFrame::SetView(CDataLoggerView* view) {
    m_view = view;
    setCentralWidget(view);
    for (const auto& [id, action] : m_actions) {
        if (IsViewCommand(id))
            SetCommandHandler(id, [this, id] { m_view->OnViewCommand(id); });
    }
    SetCommandHandler(ID_ZOOM_OUT, [this] { m_view->OnZoomOut(); });
    SetCommandHandler(ID_VIEW_ALL, [this] { m_view->OnViewAll(); });
    UpdateCommandStates();
}

void CMainFrame::SetCommandHandler(int commandId, std::function<void()> handler) {
    m_handlers[commandId] = std::move(handler);
    if (QAction* action = CommandAction(commandId))
        action->setEnabled(true);
}

bool CMainFrame::RunCommand(int commandId) {
    const auto it = m_handlers.find(commandId);
    if (it == m_handlers.end())
        return false;
    // A copy: the handler may replace itself.
    const std::function<void()> handler = it->second;
    handler();
    UpdateCommandStates();
    return true;
}

QAction* CMainFrame::CommandAction(int commandId) const {
    const auto it = m_actions.find(commandId);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::SetRecentFiles(const QStringList& paths, std::function<void(int)> chosen) {
    // Deleted later: this may run inside one of these actions' own signal.
    for (QAction* action : m_recentActions) {
        m_fileMenu->removeAction(action);
        action->deleteLater();
    }
    m_recentActions.clear();
    for (int i = 0; i < paths.size(); ++i) {
        QString shown = QDir::toNativeSeparators(paths[i]);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), this);
        action->setProperty("commandId", ID_FILE_MRU_FILE1 + i);
        connect(action, &QAction::triggered, this, [chosen, i] { chosen(i); });
        m_fileMenu->insertAction(m_recentPlaceholder, action);
        m_recentActions.push_back(action);
    }
    m_recentPlaceholder->setVisible(paths.isEmpty());
}

void CMainFrame::SetDropHandler(std::function<void(const QString&)> handler) {
    m_dropHandler = std::move(handler);
}

void CMainFrame::UpdateCommandStates() {
    m_actions.at(ID_VIEW_TOOLBAR)->setChecked(!m_toolBar->isHidden());
    m_actions.at(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
    if (m_view == nullptr)
        return;
    for (const auto& [id, action] : m_actions) {
        if (const std::optional<bool> checked = m_view->IsCommandChecked(id))
            action->setChecked(*checked);
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFileOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = LocalFileOf(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    activateWindow();
    if (m_dropHandler)
        m_dropHandler(path);
}
