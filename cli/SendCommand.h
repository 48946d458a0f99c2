#pragma once

#include <QStringList>

namespace Cli {

// provana send FILE [--answer overwrite|skip|cancel] [--option 1|2|3]
int CmdSend(const QStringList &arguments);

} // namespace Cli
