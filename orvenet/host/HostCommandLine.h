#pragma once

#include <QString>

// What the host's command line asks for. Qt's own options (-style Fusion,
// -platform offscreen, -reverse, ...) are left for QApplication to take.
struct CHostCommandLine
{
    enum Kind { Run, Register, Unregister, Usage };
    Kind kind = Run;
    // The module to register, or the configuration file to open.
    QString argument;
};

CHostCommandLine ParseHostCommandLine(int argc, const char *const *argv);

inline constexpr char kHostUsage[] = "Usage: orvenet [QT-OPTION...] [FILE]\n"
                                     "       orvenet --register MODULE | --unregister MODULE\n";
