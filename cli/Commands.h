#pragma once

#include <QStringList>

// The commands of the provana tool. Each takes the arguments after its name
// and returns the exit status.
namespace Cli {

enum ExitCode { ExitOk = 0, ExitCheckFailed = 1, ExitUsage = 2, ExitFile = 3, ExitUnreachable = 4 };

struct Command
{
    const char *name;
    unsigned helpText;
    int minArguments;
    int maxArguments;
    int (*run)(const QStringList &arguments);
};

// The command with this name, or null.
const Command *FindCommand(const QString &name);
// Runs a command line (without the program name).
int Run(const QStringList &arguments);

} // namespace Cli
