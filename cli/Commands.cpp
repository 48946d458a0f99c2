#include "Commands.h"

#include "BookmarksCommand.h"
#include "CliDocument.h"
#include "CliTexts.h"
#include "Console.h"
#include "PrintCommand.h"
#include "SendCommand.h"
#include "VariantsCommand.h"

#include "config/ConfigWriter.h"
#include "document/DocumentNames.h"
#include "document/IncludeToggle.h"
#include "document/SendTexts.h"
#include "document/SettingsDocument.h"
#include "document/TreeDiff.h"
#include "document/TreeRows.h"
#include "filetransfer/FileList.h"
#include "filetransfer/PhoneFolders.h"
#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodePath.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"
#include "validate/TreeCheck.h"

#include <QFileInfo>

namespace Cli {
namespace {

const CSettingNode *FindSetting(CSettingsDocument &document, const QString &path)
{
    const CSettingNode *node = FindNodeByPath(document.GetRoot(), path);
    if (!node)
        PrintError(Text(CliText::NoSuchSetting, {path}));
    return node;
}

QString OneLine(QString text)
{
    return text.replace(u'\n', QStringLiteral("\\n"));
}

int CmdNew(const QStringList &arguments)
{
    CCliDocument &document = KeptDocument();
    document.Reset();
    return SaveFile(document, arguments[0]);
}

int CmdConvert(const QStringList &arguments)
{
    CCliDocument &document = KeptDocument();
    bool repaired = false;
    if (!OpenFile(document, arguments[0], {}, &repaired))
        return ExitFile;
    if (repaired)
        PrintError(Text(StringId::MsgValuesRepaired));
    return SaveFile(document, arguments[1]);
}

int CmdCheck(const QStringList &arguments)
{
    QStringList files = arguments;
    const bool sending = files.removeAll(QStringLiteral("--sending")) > 0;
    const bool all = files.removeAll(QStringLiteral("--all")) > 0;
    if (files.size() != 1 || (all && !sending)) {
        PrintError(
            Text(CliText::WrongArguments, {QStringLiteral("check"), QStringLiteral("check")}));
        return ExitUsage;
    }
    CCliDocument &document = KeptDocument();
    int repairs = 0;
    RepairObserver report = [&repairs, sending](const CSettingNode *node, const QString &oldValue) {
        ++repairs;
        if (!sending)
            PrintOut(Text(CliText::RepairLine,
                          {PathOfNode(node), OneLine(oldValue), OneLine(node->GetValue())}));
    };
    if (!OpenFile(document, files[0], report))
        return ExitFile;
    if (!sending)
        return repairs ? ExitCheckFailed : ExitOk;
    if (all) {
        const std::vector<CFailingSetting> failing =
            FailingSettings(Application(), document.GetRoot(), true);
        for (const CFailingSetting &setting : failing)
            PrintOut(Text(CliText::FailingLine,
                          {PathOfNode(setting.node),
                           QString(setting.message).replace(u'\n', u' ').trimmed()}));
        return failing.empty() ? ExitOk : ExitCheckFailed;
    }
    const QString failing = CheckBeforeSending(Application(), document.GetRoot());
    if (failing.isEmpty())
        return ExitOk;
    PrintError(failing);
    return ExitCheckFailed;
}

int CmdDiff(const QStringList &arguments)
{
    QStringList files = arguments;
    const bool all = files.removeAll(QStringLiteral("--all")) > 0;
    if (files.size() != 2) {
        PrintError(Text(CliText::WrongArguments, {QStringLiteral("diff"), QStringLiteral("diff")}));
        return ExitUsage;
    }
    CCliDocument &before = KeptDocument();
    CCliDocument &after = KeptDocument();
    if (!OpenFileAsStored(before, files[0]) || !OpenFileAsStored(after, files[1]))
        return ExitFile;
    const std::vector<CTreeDifference> differences =
        DiffTrees(before.GetRoot(), after.GetRoot(), all);
    for (const CTreeDifference &difference : differences) {
        switch (difference.kind) {
        case CTreeDifference::Value:
            PrintOut(Text(CliText::RepairLine, {difference.path, OneLine(difference.oldText),
                                                OneLine(difference.newText)}));
            break;
        case CTreeDifference::Include:
            PrintOut(Text(difference.newIncluded ? CliText::DiffIncluded : CliText::DiffExcluded,
                          {difference.path}));
            break;
        case CTreeDifference::Added:
            PrintOut(Text(CliText::DiffAdded, {difference.path}));
            break;
        case CTreeDifference::Removed:
            PrintOut(Text(CliText::DiffRemoved, {difference.path}));
            break;
        }
    }
    return differences.empty() ? ExitOk : ExitCheckFailed;
}

void ShowRows(const CSettingNode *node, int depth, bool all)
{
    for (const CSettingNode *child : RowChildren(node, all)) {
        const QString value = OneLine(ShownValue(child));
        QString row = QString(2 * depth, u' ');
        row += child->IsIncluded() ? QStringLiteral("[x] ") : QStringLiteral("[ ] ");
        row += child->GetLabel(true);
        if (!value.isEmpty())
            row += QStringLiteral(": ") + value;
        PrintOut(row);
        ShowRows(child, depth + 1, all);
    }
}

int CmdShow(const QStringList &arguments)
{
    QStringList files = arguments;
    const bool all = files.removeAll(QStringLiteral("--all")) > 0;
    if (files.size() != 1) {
        PrintError(Text(CliText::WrongArguments, {QStringLiteral("show"), QStringLiteral("show")}));
        return ExitUsage;
    }
    CCliDocument &document = KeptDocument();
    if (!OpenFile(document, files[0]))
        return ExitFile;
    ShowRows(document.GetRoot(), 0, all);
    return ExitOk;
}

int CmdGet(const QStringList &arguments)
{
    CCliDocument &document = KeptDocument();
    if (!OpenFile(document, arguments[0]))
        return ExitFile;
    const CSettingNode *node = FindSetting(document, arguments[1]);
    if (!node)
        return ExitUsage;
    PrintOut(node->GetValue());
    return ExitOk;
}

int CmdSet(const QStringList &arguments)
{
    CCliDocument &document = KeptDocument();
    if (!OpenFile(document, arguments[0]))
        return ExitFile;
    const CSettingNode *node = FindSetting(document, arguments[1]);
    if (!node)
        return ExitUsage;
    const CEditResult result = document.EditValue(node, arguments[2]);
    if (result.result != CEditResult::Changed) {
        PrintError(result.IsRefused() ? result.message
                                      : Text(CliText::ValueRefused, {arguments[2]}));
        return ExitCheckFailed;
    }
    if (result.cutTo > 0)
        PrintError(Text(CliText::ValueCut, {QStringLiteral("set"), arguments[1], result.cutTo}));
    else if (!result.message.isEmpty())
        PrintError(result.message);
    return SaveFile(document, arguments[0]);
}

int CmdAdd(const QStringList &arguments)
{
    static const int kCategories[] = {NodeType::IAPSettings, NodeType::EMailSettings,
                                      NodeType::WAPSettings, NodeType::SMSSettings};
    CCliDocument &document = KeptDocument();
    if (!OpenFile(document, arguments[0]))
        return ExitFile;
    const ItemRole *role = nullptr;
    for (int type : kCategories) {
        if (arguments[1] == NodeTypeLabel(type))
            role = RoleOfCategory(type);
    }
    const CSettingNode *category = role ? document.GetRoot()->FindChild(role->category) : nullptr;
    const CSettingNode *itemTemplate = category ? category->FindChild(role->itemTemplate) : nullptr;
    const CSettingNode *name = itemTemplate ? itemTemplate->FindChild(role->nameField) : nullptr;
    if (!name) {
        PrintError(Text(CliText::NotItemCategory, {arguments[1]}));
        return ExitUsage;
    }
    const CEditResult result = document.EditValue(name, arguments[2]);
    if (result.result != CEditResult::Changed) {
        PrintError(result.IsRefused() ? result.message
                                      : Text(CliText::ValueRefused, {arguments[2]}));
        return ExitCheckFailed;
    }
    // A name is cut to its length as set does; the item is named by what it
    // got.
    if (result.cutTo > 0)
        PrintError(
            Text(CliText::ValueCut, {QStringLiteral("add"), PathOfNode(name), result.cutTo}));
    return SaveFile(document, arguments[0]);
}

// Why the include rules left a setting as it was.
QString IncludeRefusalReason(const CSettingNode *node)
{
    const QString label = node->GetLabel(true);
    if (node->IsMandatoryInIncludedParent())
        return Text(CliText::MandatoryNotExcluded, {label, node->GetParent()->GetLabel(true)});
    if (IsEntryListType(node->GetType()) && node->ChildCount() == 0)
        return Text(CliText::EmptyListNotIncluded, {label});
    if (node->IsDisabled())
        return Text(StringId::MsgNotApplicable, {label});
    return Text(CliText::IncludeRefused, {label});
}

int CmdInclude(const QStringList &arguments)
{
    const QString &state = arguments[2];
    if (state != u"on" && state != u"off") {
        PrintError(Text(CliText::NotAnIncludeState, {state}));
        return ExitUsage;
    }
    const int wanted = state == u"on" ? 1 : 0;
    CCliDocument &document = KeptDocument();
    if (!OpenFile(document, arguments[0]))
        return ExitFile;
    const CSettingNode *node = FindSetting(document, arguments[1]);
    if (!node)
        return ExitUsage;
    if (!document.SetIncluded(node, wanted != 0)) {
        PrintError(IncludeRefusalReason(node));
        return ExitCheckFailed;
    }
    return SaveFile(document, arguments[0]);
}

int CmdText(const QStringList &arguments)
{
    CCliDocument &document = KeptDocument();
    if (!OpenFile(document, arguments[0]))
        return ExitFile;
    // In pieces, so that a large configuration's text is never held whole.
    StreamConfigurationForSending(
        document.GetRoot(),
        [](QStringView piece) {
            PrintRaw(piece);
            return true;
        },
        document.ScrambleKeys());
    return ExitOk;
}

int CmdFolders(const QStringList &arguments)
{
    int language = CurrentPhoneLanguage(Application());
    if (!arguments.isEmpty()) {
        bool number = false;
        language = arguments[0].toInt(&number);
        if (!number) {
            PrintError(Text(CliText::NotALanguage, {arguments[0]}));
            return ExitUsage;
        }
    }
    for (const QString &folder : DestinationProposals(static_cast<unsigned>(language)))
        PrintOut(folder);
    return ExitOk;
}

const CSettingNode *FileCategory(CSettingsDocument &document, const QString &name)
{
    for (int type : FileListTypes()) {
        if (name == NodeTypeLabel(type))
            return document.GetRoot()->FindDescendant({NodeType::FileTransfer, type});
    }
    PrintError(Text(CliText::NotAFileList, {name}));
    return nullptr;
}

void ListFiles(CSettingsDocument &document)
{
    for (int type : FileListTypes()) {
        const CSettingNode *category =
            document.GetRoot()->FindDescendant({NodeType::FileTransfer, type});
        if (!category)
            continue;
        const CFileList list(*category);
        for (const FileListRow &row : list.Rows()) {
            QString line = NodeTypeLabel(type) + u'\t' + row.Path();
            if (list.IsFilesMode())
                line += u'\t' + row.phoneFolder;
            PrintOut(line);
        }
    }
}

// Adds as the file list's Add does. A file that is not on this computer
// refuses the whole command; files already listed are passed over.
int AddFiles(CFileList &list, const QStringList &files)
{
    if (list.IsFilesMode() && files.size() != 2) {
        PrintError(
            Text(CliText::WrongArguments, {QStringLiteral("files"), QStringLiteral("files")}));
        return ExitUsage;
    }
    const QStringList locals = list.IsFilesMode() ? files.mid(0, 1) : files;
    QStringList paths;
    for (const QString &local : locals) {
        paths.append(QFileInfo(local).absoluteFilePath());
        if (!IsLocalFile(paths.back())) {
            PrintError(Text(CliText::NotALocalFile, {local}));
            return ExitCheckFailed;
        }
    }
    int added = 0;
    if (list.IsFilesMode()) {
        const unsigned refusal = list.CheckFileEntry(paths[0], files[1]);
        if (refusal != 0 && refusal != StringId::MsgFileAlreadyListed) {
            PrintError(Text(refusal));
            return ExitCheckFailed;
        }
        added = list.AddFileEntry(paths[0], files[1]) ? 1 : 0;
    } else {
        added = list.AddFiles(paths);
    }
    PrintOut(Text(CliText::FilesAdded,
                  {NodeTypeLabel(list.Kind()->listType), added, paths.size() - added}));
    return ExitOk;
}

int RemoveFile(CFileList &list, const QString &number)
{
    bool isNumber = false;
    const int n = number.toInt(&isNumber);
    if (!isNumber || n < 1 || n > list.Count()) {
        PrintError(Text(CliText::NoSuchEntry, {NodeTypeLabel(list.Kind()->listType), number}));
        return ExitUsage;
    }
    list.RemoveEntries({n - 1});
    return ExitOk;
}

int CmdFiles(const QStringList &arguments)
{
    const QString option = arguments.value(1);
    const bool adding = option == u"--add" && arguments.size() >= 4;
    const bool removing = option == u"--remove" && arguments.size() == 4;
    if (arguments.size() > 1 && !adding && !removing) {
        PrintError(
            Text(CliText::WrongArguments, {QStringLiteral("files"), QStringLiteral("files")}));
        return ExitUsage;
    }
    CCliDocument &document = KeptDocument();
    if (!OpenFile(document, arguments[0]))
        return ExitFile;
    if (arguments.size() == 1) {
        ListFiles(document);
        return ExitOk;
    }
    const CSettingNode *category = FileCategory(document, arguments[2]);
    if (!category)
        return ExitUsage;
    CFileList list(*category);
    const int status = adding ? AddFiles(list, arguments.mid(3)) : RemoveFile(list, arguments[3]);
    if (status != ExitOk)
        return status;
    document.ReplaceEntries(category, list.TakeEntries());
    return SaveFile(document, arguments[0]);
}

const Command kCommands[] = {
    {"new", CliText::HelpNew, 1, 1, CmdNew},
    {"convert", CliText::HelpConvert, 2, 2, CmdConvert},
    {"check", CliText::HelpCheck, 1, 3, CmdCheck},
    {"show", CliText::HelpShow, 1, 2, CmdShow},
    {"diff", CliText::HelpDiff, 2, 3, CmdDiff},
    {"get", CliText::HelpGet, 2, 2, CmdGet},
    {"set", CliText::HelpSet, 3, 3, CmdSet},
    {"add", CliText::HelpAdd, 3, 3, CmdAdd},
    {"include", CliText::HelpInclude, 3, 3, CmdInclude},
    {"text", CliText::HelpText, 1, 1, CmdText},
    {"folders", CliText::HelpFolders, 0, 1, CmdFolders},
    {"files", CliText::HelpFiles, 1, 1000, CmdFiles},
    {"print", CliText::HelpPrint, 2, 5, CmdPrint},
    {"bookmarks", CliText::HelpBookmarks, 1, 4, CmdBookmarks},
    {"send", CliText::HelpSend, 1, 5, CmdSend},
    {"variants", CliText::HelpVariants, 3, 5, CmdVariants},
};

} // namespace

const Command *FindCommand(const QString &name)
{
    for (const Command &command : kCommands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

int Run(const QStringList &arguments)
{
    if (arguments.isEmpty()) {
        PrintError(Text(CliText::Usage));
        return ExitUsage;
    }
    const QString &name = arguments.first();
    if (name == u"--help" || name == u"-h" || name == u"help") {
        PrintOut(Text(CliText::Usage));
        return ExitOk;
    }
    const Command *command = FindCommand(name);
    if (!command) {
        PrintError(Text(CliText::UnknownCommand, {name}));
        return ExitUsage;
    }
    const QStringList rest = arguments.mid(1);
    if (rest.contains(QStringLiteral("--help"))) {
        PrintOut(Text(command->helpText));
        return ExitOk;
    }
    if (rest.size() < command->minArguments || rest.size() > command->maxArguments) {
        PrintError(Text(CliText::WrongArguments, {name, name}));
        return ExitUsage;
    }
    return command->run(rest);
}

} // namespace Cli
