#include "CliDocument.h"

#include "CliTexts.h"
#include "Commands.h"
#include "Console.h"

#include "document/DocumentNames.h"

#include <vector>

namespace Cli {

CCliDocument::CCliDocument()
    : CSettingsDocument(Application())
{}

CCliDocument &KeptDocument()
{
    // Reachable to the end, so that a leak checker sees no leak.
    static auto *const kept = new std::vector<CCliDocument *>;
    kept->push_back(new CCliDocument);
    return *kept->back();
}

QString WithLastError(const CSettingsDocument &document, unsigned id)
{
    QString text = Text(id);
    const QString error = document.LastErrorText().trimmed();
    if (!error.isEmpty())
        text += u'\n' + error;
    return text;
}

int ReportFileProblem(const QString &path, const QString &message)
{
    PrintError(Text(CliText::FileProblem, {path, message}));
    return ExitFile;
}

namespace {

bool Opened(const CSettingsDocument &document, const QString &path,
            CSettingsDocument::OpenResult result)
{
    if (result == CSettingsDocument::OpenResult::NotReadable)
        ReportFileProblem(path, WithLastError(document, StringId::MsgFileNotRead));
    else if (result == CSettingsDocument::OpenResult::NotConfiguration)
        ReportFileProblem(path, Text(StringId::MsgNotConfiguration));
    else if (result == CSettingsDocument::OpenResult::Damaged)
        ReportFileProblem(path, document.LastErrorText());
    return result == CSettingsDocument::OpenResult::Opened ||
           result == CSettingsDocument::OpenResult::Repaired;
}

} // namespace

bool OpenFile(CSettingsDocument &document, const QString &path, const RepairObserver &observer,
              bool *repaired)
{
    const auto result = document.Open(path, observer);
    if (repaired)
        *repaired = result == CSettingsDocument::OpenResult::Repaired;
    return Opened(document, path, result);
}

bool OpenFileAsStored(CSettingsDocument &document, const QString &path)
{
    return Opened(document, path, document.OpenAsStored(path));
}

int SaveFile(const CSettingsDocument &document, const QString &path)
{
    if (!document.Save(path))
        return ReportFileProblem(path, WithLastError(document, StringId::MsgFileNotWritten));
    return ExitOk;
}

} // namespace Cli
