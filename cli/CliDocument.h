#pragma once

#include "document/SettingsDocument.h"

#include <QString>

// Opening and saving configurations the way every command of the tool does,
// with the same messages and exit statuses.
namespace Cli {

// The document as the command line works on it, in the tool's language.
class CCliDocument : public CSettingsDocument
{
public:
    CCliDocument();
};

// A new document that lives as long as the process: a command ends the
// process, and freeing a large tree node by node would only delay that.
CCliDocument &KeptDocument();

// A message followed by the last error text on its own line, when there is one.
QString WithLastError(const CSettingsDocument &document, unsigned id);

// Prints the problem with the file and answers ExitFile.
int ReportFileProblem(const QString &path, const QString &message);

// Opens a configuration as the editor does; false, with the problem printed,
// when it could not be.
bool OpenFile(CSettingsDocument &document, const QString &path, const RepairObserver &observer = {},
              bool *repaired = nullptr);

// Opens a configuration with its values as stored, for comparing it; false,
// with the problem printed, when it could not be.
bool OpenFileAsStored(CSettingsDocument &document, const QString &path);

// ExitOk, or the problem printed and ExitFile.
int SaveFile(const CSettingsDocument &document, const QString &path);

} // namespace Cli
