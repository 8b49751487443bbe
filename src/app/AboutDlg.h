#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>

class MessageBoxes;

// Opens a web address or file in the desktop's handler; false when that failed.
using UrlOpener = std::function<bool(const QUrl&)>;

class CAboutDlg final : public QDialog {
    Q_OBJECT
public:
    CAboutDlg(MessageBoxes& boxes, UrlOpener openUrl, QWidget* parent = nullptr);

    void OnSiteLink();

private:
    MessageBoxes& m_boxes;
    UrlOpener m_openUrl;
};
