#pragma once

#include <QString>

// The folder of the module that holds this code (the plug-in module, or the
// program it is linked into), ending in a separator. The language library,
// the configuration files folder and the activity log live there.
QString ProgramFolder();
