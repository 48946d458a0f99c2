#pragma once

#include <QStringList>

namespace Cli {

// provana bookmarks FILE [--wap] [--import SOURCE]
int CmdBookmarks(const QStringList &arguments);

} // namespace Cli
