#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>

class QLocalSocket;

// One running program per user: a second start hands its file to the first over a local
// socket and ends.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    using FileHandler = std::function<void(const QString& path)>;

    explicit SingleInstance(QString serverName, QObject* parent = nullptr);

    // Serves later starts; false when another running instance serves already.
    bool Listen(FileHandler onFile);

    // True when a running instance confirmed that it takes the file. Blocks for at most
    // timeoutMs; needs no event loop.
    static bool HandOver(const QString& serverName, const QString& path, int timeoutMs = 3000);

    // Per user, so two users on one machine never meet.
    static QString DefaultServerName();

private:
    void OnConnection();
    void ReadFrom(QLocalSocket* socket);

    QString m_name;
    QLocalServer m_server;
    FileHandler m_onFile;
};
