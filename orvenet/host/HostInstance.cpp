#include "orvenet/host/HostInstance.h"

#include "orvenet/server/ServerPaths.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr int kAnswerTimeoutMs = 5000;
// The request is one line with the file's absolute path; the answer one line.
constexpr char kTaken[] = "ok\n";

} // namespace

CHostInstance::CHostInstance(QObject *parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
{
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                const QString file = QString::fromUtf8(socket->readLine()).chopped(1);
                emit fileRequested(file);
                socket->write(kTaken);
                socket->flush();
                socket->disconnectFromServer();
            });
        }
    });
}

QString CHostInstance::SocketPath()
{
    return ServerRuntimeFolder() + QStringLiteral("/orvenet.sock");
}

bool CHostInstance::HandToRunningHost(const QString &file)
{
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(kAnswerTimeoutMs))
        return false;
    const QString path = file.isEmpty() ? QString() : QFileInfo(file).absoluteFilePath();
    socket.write(path.toUtf8() + '\n');
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(kAnswerTimeoutMs))
            return false;
    }
    return socket.readLine() == kTaken;
}

bool CHostInstance::Listen()
{
    QString error;
    if (!PrepareRuntimeFolder(error))
        return false;
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server->listen(SocketPath()))
        return true;
    QLocalServer::removeServer(SocketPath());
    return m_server->listen(SocketPath());
}
