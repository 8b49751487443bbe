#pragma once

#include <QKeySequence>
#include <QMainWindow>
#include <QSize>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

class CDataLoggerView;
class QAction;
class QLabel;
class QMenu;
class QToolBar;

// One entry of the accelerator table: a key and the command it sends.
struct Accelerator {
    QKeySequence keys;
    int commandId;
};
const std::vector<Accelerator>& AcceleratorTable();

// The commands of the toolbar, in button order.
const std::vector<int>& ToolbarCommands();

// The main window: menu bar, accelerators, toolbar, status bar and the chart view. Every
// command is one QAction carrying its number (property "commandId"); a command runs through
// the handler registered for it, and a command without a handler is shown disabled.
class CMainFrame final : public QMainWindow {
    Q_OBJECT
public:
    // screenSize decides the start size and position.
    explicit CMainFrame(QSize screenSize, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Puts the view in the client area and routes the display and zoom commands to it.
    void SetView(CDataLoggerView* view);
    CDataLoggerView* View() const { return m_view; }

    // Enables the command and runs handler for it from now on.
    void SetCommandHandler(int commandId, std::function<void()> handler);
    // Runs the command as the menu would; false when it has no handler.
    bool RunCommand(int commandId);
    // The menu bar's and toolbar's action of a command; nullptr for none.
    QAction* CommandAction(int commandId) const;

    // The File menu's recent-file entries, in place of "Последние файлы"; chosen calls back
    // with the entry's index.
    void SetRecentFiles(const QStringList& paths, std::function<void(int index)> chosen);

    // A local file dropped on the window.
    void SetDropHandler(std::function<void(const QString& path)> handler);

    // The check marks of the menu bar, as the menus show them when opened.
    void UpdateCommandStates();

    QToolBar* ToolBar() const { return m_toolBar; }
    QMenu* FileMenu() const { return m_fileMenu; }

    // No menu of bars on a right click over the menu bar, toolbar or status bar.
    QMenu* createPopupMenu() override { return nullptr; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* MakeAction(int commandId, const QString& text);
    void BuildMenus();
    void BuildAccelerators();
    void BuildToolBar();
    void BuildStatusBar();

    std::map<int, QAction*> m_actions;
    std::map<int, std::function<void()>> m_handlers;
    std::vector<QAction*> m_recentActions;
    QAction* m_recentPlaceholder = nullptr;
    QMenu* m_fileMenu = nullptr;
    QToolBar* m_toolBar = nullptr;
    CDataLoggerView* m_view = nullptr;
    std::function<void(const QString&)> m_dropHandler;
};
