#pragma once

#include <QString>

// The file of the module that holds this code (the plug-in module, or the
// program it is linked into), as it was loaded: a renamed or versioned
// module answers its own name.
QString ModulePath();

// The folder of the plug-in, ending in a separator: the language library,
// the help topics and the shipped configuration files live there. For the
// plug-in module that is its own folder. An installed program (in bin/, the
// plug-in in lib/provana/) finds it through InstalledProgramFolder; in a
// build folder the programs and the plug-in share one folder.
QString ProgramFolder();

// The program folder of an installation whose programs are in programsFolder.
QString InstalledProgramFolder(const QString &programsFolder);

inline constexpr char kPlugInModuleName[] = "Provix.so";
