// orvenet-server: the suite's connectivity server with its emulated phone.
// "orvenet-server [--activated] [--idle-exit MS]"; a server started by
// activation ends after a minute without clients.
#include "orvenet/server/ConnectivityServer.h"
#include "orvenet/server/EmulatedPhone.h"
#include "orvenet/server/ServerPaths.h"

#include <QCoreApplication>

#include <cstdio>

namespace {
constexpr int kActivatedIdleExitMs = 60000;
}

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    int idleExitMs = arguments.contains(QStringLiteral("--activated")) ? kActivatedIdleExitMs : 0;
    const qsizetype idle = arguments.indexOf(QStringLiteral("--idle-exit"));
    if (idle >= 0)
        idleExitMs = arguments.value(idle + 1).toInt();
    for (const QString &argument : arguments) {
        if (argument.startsWith(u"--") && argument != u"--activated" &&
            argument != u"--idle-exit") {
            std::fprintf(stderr, "Usage: orvenet-server [--activated] [--idle-exit MS]\n");
            return 2;
        }
    }

    // The phone folder is read only once this server owns the socket: a second
    // server on the same folder leaves it alone.
    CEmulatedPhone phone(PhoneFolderPath());
    CConnectivityServer server(phone, idleExitMs);
    QString error;
    if (!server.Listen(error) || !phone.Load(error)) {
        std::fprintf(stderr, "orvenet-server: %s\n", qPrintable(error));
        return 1;
    }
    return QCoreApplication::exec();
}
