// orvenet: the suite's host application. "orvenet --register MODULE" and
// "orvenet --unregister MODULE" run a plug-in module's registration.
#include "orvenet/host/HostWindow.h"
#include "orvenet/host/ModuleRegistration.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc == 3 &&
        (std::strcmp(argv[1], "--register") == 0 || std::strcmp(argv[1], "--unregister") == 0)) {
        QCoreApplication application(argc, argv);
        const bool registering = std::strcmp(argv[1], "--register") == 0;
        const HRESULT result = CallModuleRegistration(QString::fromLocal8Bit(argv[2]), registering);
        // The suite's own connectivity server is registered with every plug-in.
        const QString server = QCoreApplication::applicationDirPath() + "/orvenet-server";
        if (registering ? !RegisterConnectivityServer(server) : !UnregisterConnectivityServer())
            std::fprintf(stderr, "orvenet: the connectivity server's class was not %s\n",
                         registering ? "registered" : "unregistered");
        if (FAILED(result)) {
            std::fprintf(stderr, "orvenet: %s %s failed (0x%08X)\n",
                         registering ? "registering" : "unregistering", argv[2],
                         static_cast<unsigned>(result));
            return 1;
        }
        return 0;
    }
    if (argc > 1) {
        std::fprintf(stderr, "Usage: orvenet [--register MODULE | --unregister MODULE]\n");
        return 2;
    }

    QApplication application(argc, argv);
    CHostWindow window;
    window.resize(1000, 700);
    if (window.LoadPlugIns() == 0)
        std::fprintf(stderr, "orvenet: no view plug-in is registered or none could start.\n");
    window.show();
    return QApplication::exec();
}
