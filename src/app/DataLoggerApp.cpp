#include "DataLoggerApp.h"

#include "AppTitle.h"
#include "CommandIds.h"
#include "DataLoggerDoc.h"
#include "DataLoggerView.h"
#include "HelpFile.h"
#include "IniFile.h"
#include "MainFrame.h"
#include "OpenFileDialog.h"
#include "RecentFiles.h"
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace {

QString FullPath(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

CDataLoggerApp::CDataLoggerApp(AppEnvironment environment) : m_env(std::move(environment)) {
    if (!m_env.openUrl)
        m_env.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    if (!m_env.userSettings)
        m_env.userSettings = [] {
            return std::make_unique<QSettings>(QStringLiteral("company"),
                                               QString::fromUtf8(kAppTitle));
        };
    if (m_env.settingsFile.empty())
        m_env.settingsFile = SettingsFilePath();
    if (m_env.executableFolder.isEmpty())
        m_env.executableFolder = QCoreApplication::applicationDirPath();
    if (m_env.screenSize.isEmpty() && QGuiApplication::primaryScreen() != nullptr)
        m_env.screenSize = QGuiApplication::primaryScreen()->size();
}

CDataLoggerApp::~CDataLoggerApp() = default;

bool CDataLoggerApp::InitInstance(const CommandLine& commandLine) {
    m_simulatedLogger = commandLine.simulatedLogger;
    m_recent = std::make_unique<RecentFileList>(m_env.userSettings(), 4);

    m_doc = std::make_unique<CDataLoggerDoc>();
    m_frame = std::make_unique<CMainFrame>(m_env.screenSize);
    m_view = new CDataLoggerView(*m_doc, m_env.settingsFile, m_frame.get());
    m_frame->SetView(m_view);
    m_view->SetTitleHandler([this](const QString& title) { m_frame->setWindowTitle(title); });

    m_frame->SetCommandHandler(ID_FILE_OPEN, [this] { OnFileOpen(); });
    m_frame->SetCommandHandler(ID_APP_ABOUT, [this] { OnAbout(); });
    m_frame->SetCommandHandler(ID_HELP_FINDER, [this] { OnHelpFile(); });
    m_frame->SetDropHandler([this](const QString& path) { OpenDocumentFile(path); });
    ShowRecentFiles();

    if (!m_env.instanceName.isEmpty()) {
        m_instance = std::make_unique<SingleInstance>(m_env.instanceName);
        m_instance->Listen([this](const QString& path) {
            m_frame->raise();
            m_frame->activateWindow();
            OpenDocumentFile(path);
        });
    }

    if (!commandLine.file.isEmpty() && !OpenDocumentFile(commandLine.file))
        return false;

    m_frame->setWindowTitle(QString::fromUtf8(kAppTitle));
    m_frame->show();
    m_frame->repaint();
    return true;
}

bool CDataLoggerApp::OpenDocumentFile(const QString& path) {
    const QString full = FullPath(path);
    if (!m_doc->OpenRecordingFile(full.toStdString(), *m_env.messageBoxes))
        return false;
    m_recent->Add(full);
    ShowRecentFiles();
    m_view->InvalidateChart();
    return true;
}

void CDataLoggerApp::OnFileOpen() {
    const QString path = m_env.openDialog->AskOpenPath(m_frame.get());
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void CDataLoggerApp::OnRecentFile(int index) {
    if (index < 0 || index >= m_recent->Files().size())
        return;
    const QString path = m_recent->Files()[index];
    // A file that can no longer be opened leaves the list.
    if (!OpenDocumentFile(path)) {
        m_recent->Remove(index);
        ShowRecentFiles();
    }
}

void CDataLoggerApp::OnAbout() {
    CAboutDlg dialog(*m_env.messageBoxes, m_env.openUrl);
    dialog.exec();
}

void CDataLoggerApp::OnHelpFile() {
    const std::string path = HelpFilePath(m_env.executableFolder.toStdString());
    // A missing page or browser is not reported.
    m_env.openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void CDataLoggerApp::ShowRecentFiles() {
    m_frame->SetRecentFiles(m_recent->Files(), [this](int index) { OnRecentFile(index); });
}
