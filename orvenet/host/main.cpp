// orvenet: the suite's host application. "orvenet --register MODULE" and
// "orvenet --unregister MODULE" run a plug-in module's registration;
// "orvenet FILE" opens a configuration file, in the host that already runs
// when there is one.
#include "orvenet/host/HostCommandLine.h"
#include "orvenet/host/HostInstance.h"
#include "orvenet/host/HostWindow.h"
#include "orvenet/host/ModuleRegistration.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

namespace {

int RunRegistration(int argc, char **argv, const CHostCommandLine &line)
{
    QCoreApplication application(argc, argv);
    const bool registering = line.kind == CHostCommandLine::Register;
    const HRESULT result = CallModuleRegistration(line.argument, registering);
    // The suite's own connectivity server is registered with every plug-in.
    const QString server = QCoreApplication::applicationDirPath() + "/orvenet-server";
    if (registering ? !RegisterConnectivityServer(server) : !UnregisterConnectivityServer())
        std::fprintf(stderr, "orvenet: the connectivity server's class was not %s\n",
                     registering ? "registered" : "unregistered");
    if (FAILED(result)) {
        std::fprintf(stderr, "orvenet: %s %s failed (0x%08X)\n",
                     registering ? "registering" : "unregistering", qPrintable(line.argument),
                     static_cast<unsigned>(result));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const CHostCommandLine line = ParseHostCommandLine(argc, argv);
    switch (line.kind) {
    case CHostCommandLine::Usage:
        std::fputs(kHostUsage, stderr);
        return 2;
    case CHostCommandLine::Register:
    case CHostCommandLine::Unregister:
        return RunRegistration(argc, argv, line);
    case CHostCommandLine::Run:
        break;
    }

    QApplication application(argc, argv);
    if (CHostInstance::HandToRunningHost(line.argument))
        return 0;
    CHostInstance instance;
    instance.Listen();
    RegisterInstallation(QCoreApplication::applicationDirPath());

    CHostWindow window;
    window.resize(1000, 700);
    if (!line.argument.isEmpty())
        window.OpenConfigurationFile(line.argument);
    QObject::connect(&instance, &CHostInstance::fileRequested, &window,
                     [&window](const QString &file) {
                         window.BringToFront();
                         if (!file.isEmpty())
                             window.OpenConfigurationFile(file);
                     });
    if (window.LoadPlugIns() == 0)
        std::fprintf(stderr, "orvenet: no view plug-in is registered or none could start.\n");
    window.show();
    return QApplication::exec();
}
