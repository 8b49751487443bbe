#pragma once

#include "AboutDlg.h"
#include "CommandLine.h"

#include <QSettings>
#include <QSize>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>

class CDataLoggerDoc;
class CDataLoggerView;
class CMainFrame;
class MessageBoxes;
class OpenFileDialog;
class RecentFileList;
class SingleInstance;

// What the application takes from outside; tests replace every part.
struct AppEnvironment {
    MessageBoxes* messageBoxes = nullptr; // required
    OpenFileDialog* openDialog = nullptr; // required
    UrlOpener openUrl;                    // empty: the desktop's handler
    QSize screenSize;                     // empty: the primary screen's size
    // The per-user settings that keep the recent-file list; empty: QSettings("company", title).
    std::function<std::unique_ptr<QSettings>()> userSettings;
    std::filesystem::path settingsFile; // loggerconfig.ini; empty: SettingsFilePath()
    QString executableFolder;           // where help.htm is; empty: the executable's folder
    QString instanceName;               // local server of the single instance; empty: none
};

// The application object: one document, one main frame with its view, the application's own
// commands and the road of a file from the command line, the File menu, the recent-file list,
// a drop or a second start.
class CDataLoggerApp final {
public:
    explicit CDataLoggerApp(AppEnvironment environment);
    ~CDataLoggerApp();
    CDataLoggerApp(const CDataLoggerApp&) = delete;
    CDataLoggerApp& operator=(const CDataLoggerApp&) = delete;

    // Builds the window, opens the command line's file and shows the window. False when the
    // file was refused (after its message): the program then ends.
    bool InitInstance(const CommandLine& commandLine);

    // The open check, the reading, the recent-file list and a repaint. False when refused.
    bool OpenDocumentFile(const QString& path);

    void OnFileOpen();
    void OnRecentFile(int index);
    void OnAbout();
    void OnHelpFile();

    CDataLoggerDoc& Document() { return *m_doc; }
    CMainFrame* MainFrame() { return m_frame.get(); }
    CDataLoggerView* View() { return m_view; }
    const RecentFileList& RecentFiles() const { return *m_recent; }
    // The logger image chosen with --simulated-logger; empty for the device.
    const QString& SimulatedLoggerPath() const { return m_simulatedLogger; }

private:
    void ShowRecentFiles();

    AppEnvironment m_env;
    std::unique_ptr<CDataLoggerDoc> m_doc;
    std::unique_ptr<RecentFileList> m_recent;
    std::unique_ptr<CMainFrame> m_frame;
    CDataLoggerView* m_view = nullptr; // owned by the frame
    std::unique_ptr<SingleInstance> m_instance;
    QString m_simulatedLogger;
};
