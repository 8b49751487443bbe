#include "SingleInstance.h"

#include <QLocalSocket>
#include <QTimer>
#include <unistd.h>

namespace {
constexpr qint64 kMaxMessage = 64 * 1024;
const QByteArray kAccepted = QByteArrayLiteral("1\n");
} // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), m_name(std::move(serverName)) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
}

bool SingleInstance::Listen(FileHandler onFile) {
    m_onFile = std::move(onFile);
    if (m_server.listen(m_name))
        return true;
    if (m_server.serverError() != QAbstractSocket::AddressInUseError)
        return false;
    // A socket file left by a program that died answers nobody; take its place.
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(500))
        return false;
    QLocalServer::removeServer(m_name);
    return m_server.listen(m_name);
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadFrom(socket); });
        if (socket->bytesAvailable() > 0)
            ReadFrom(socket);
    }
}

void SingleInstance::ReadFrom(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxMessage)
            socket->abort();
        return;
    }
    QByteArray line = socket->readLine();
    line.chop(1);
    const QString path = QString::fromUtf8(line);
    socket->write(kAccepted);
    socket->disconnectFromServer();
    // Opened from the event loop, so the sender is answered before any message box.
    if (!path.isEmpty() && m_onFile)
        QTimer::singleShot(0, this, [this, path] { m_onFile(path); });
}

bool SingleInstance::HandOver(const QString& serverName, const QString& path, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(path.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
        answer += socket.readAll();
    }
    return answer == kAccepted;
}

QString SingleInstance::DefaultServerName() {
    return QStringLiteral("termix-%1").arg(static_cast<qulonglong>(getuid()));
}
