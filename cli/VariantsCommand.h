#pragma once

#include <QStringList>

namespace Cli {

// provana variants TEMPLATE TABLE OUTDIR [--force] [--check]
int CmdVariants(const QStringList &arguments);

} // namespace Cli
