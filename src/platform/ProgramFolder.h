#pragma once

#include <QString>

// The file of the module that holds this code (the plug-in module, or the
// program it is linked into), as it was loaded: a renamed or versioned
// module answers its own name.
QString ModulePath();

// The folder of that module, ending in a separator. The language library,
// the configuration files folder and the activity log live there.
QString ProgramFolder();
