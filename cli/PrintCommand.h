#pragma once

#include <QCoreApplication>
#include <QStringList>

#include <memory>

namespace Cli {

// provana print FILE --pdf OUT|--lines [--range all|included]
int CmdPrint(const QStringList &arguments);

// The Qt application a command line needs. Drawing PDF pages needs fonts and
// so a GUI application, which then runs on the offscreen platform; every
// other command gets a core application and needs no display.
std::unique_ptr<QCoreApplication> CreateQtApplication(int &argc, char **argv);

} // namespace Cli
