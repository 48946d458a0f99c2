#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One host per user: the first listens on orvenet.sock in the user's runtime
// folder, and a later start hands it its command line's file (or nothing,
// to bring it to the front) instead of opening a second window.
class CHostInstance final : public QObject
{
    Q_OBJECT

public:
    explicit CHostInstance(QObject *parent = nullptr);

    static QString SocketPath();
    // True when a running host took the file.
    static bool HandToRunningHost(const QString &file);
    // Starts listening; a socket left by a host that ended is replaced.
    bool Listen();

signals:
    // A later start asked for this file; empty: only to be shown.
    void fileRequested(const QString &file);

private:
    QLocalServer *m_server;
};
