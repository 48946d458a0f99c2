#include "document/SendTexts.h"

#include "document/ValueEditing.h"
#include "orvenet/sdk/ConnectivityServer.h"
#include "settings/Labels.h"
#include "settings/NodeCatalogue.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"
#include "validate/TreeCheck.h"

#include <algorithm>

namespace {

// The label for the low 16 bits of a server's result; 0 for a rejected
// setting, whose text is made from the setting.
unsigned ErrorLabel(uint32_t code)
{
    struct Range
    {
        uint32_t first;
        uint32_t last;
        unsigned label;
    };
    static constexpr Range kRanges[] = {
        {1, 6, StringId::MsgServerNotReached},
        {0x11, 0x11, StringId::MsgNoPhone},
        {0x12, 0x13, StringId::MsgServerNotReached},
        {0x21, 0x29, StringId::MsgServerNotReached},
        {0xA1, 0xA1, StringId::MsgSendFailed},
        {0xA2, 0xA2, StringId::MsgPhoneNotResponding},
        {0xA3, 0xA3, StringId::MsgConnectionLost},
        {0xA4, 0xA8, StringId::MsgCommunicationFailed},
        {0x101, 0x101, StringId::MsgTransferCancelled},
        {0x102, 0x102, StringId::MsgPhoneStopped},
        {0x131, 0x132, StringId::MsgServerNotReached},
        {0x151, 0x151, StringId::MsgFileNotTransferred},
        {0x152, 0x152, StringId::MsgFileNotFound},
        {0x153, 0x155, StringId::MsgFileNotTransferred},
        {0x156, 0x156, StringId::MsgPhoneMemoryFull},
        {0x157, 0x157, StringId::MsgPhoneFileNotWritten},
        {0x158, 0x158, StringId::MsgFileNotCopied},
        {0x181, 0x181, StringId::MsgConfigurationNotSupported},
        {0x182, 0x182, StringId::MsgSoftwareNotSupported},
        {0x183, 0x185, StringId::MsgServerNotReached},
        {0x186, 0x186, StringId::MsgPhoneBusy},
        {0x191, 0x191, StringId::MsgConfigurationNotRead},
        {0x192, 0x192, StringId::MsgSettingsNotSaved},
        {0x193, 0x193, StringId::MsgNoRoomForSettings},
        {0x194, 0x194, StringId::MsgConfigurationRejected},
        {0x204, 0x204, 0},
        {0x211, 0x211, StringId::MsgFileNotCopied},
    };
    for (const Range &range : kRanges) {
        if (code >= range.first && code <= range.last)
            return range.label;
    }
    return StringId::MsgSendFailed;
}

// Failures that name the file being copied when they happen during a copy.
bool NamesCopiedFile(uint32_t code)
{
    return code == 0x156 || code == 0x157 || code == 0x158 || code == 0x211;
}

QString FileNameOf(const QString &path)
{
    const qsizetype separator = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.mid(separator + 1);
}

QString TextBetween(const QString &text, QStringView open, QStringView close)
{
    const qsizetype start = text.indexOf(open);
    const qsizetype end = text.indexOf(close);
    if (start < 0 || end < 0 || end < start + open.size())
        return QString();
    return text.mid(start + open.size(), end - start - open.size()).trimmed();
}

// Progress texts end in "..." in the language library; the progress shows
// its own.
QString WithoutProgressDots(QString status)
{
    if (status.endsWith(QStringLiteral("..."))) {
        while (status.endsWith(u'.'))
            status.chop(1);
    }
    return status;
}

} // namespace

QString LabelOfSetting(const CApplication *application, const QString &settingName)
{
    const QString label = LabelForTag(application, settingName);
    return label.isEmpty() ? settingName : label;
}

QString CutTo100(const QString &text)
{
    return text.size() > 100 ? text.left(100) + QStringLiteral("...") : text;
}

namespace {

// Why the check refuses node's value: what its editor would say to it typed
// in, else that it is missing or not valid.
QString RefusalReason(const CApplication *application, const CSettingNode *node)
{
    const QString &value = node->GetValue();
    if (!node->IsDisabled()) {
        // The editor's general refusal speaks of typing; the value is named
        // below instead.
        const CValueCommit commit = CommitRule(node, value);
        if (commit.result == CValueCommit::Refuse && !commit.message.isEmpty() &&
            commit.message != LoadLabel(application, StringId::MsgValueNotValid, true))
            return commit.message;
    }
    if (value.isEmpty())
        return LoadLabel(application, StringId::MsgValueMissing, true);
    return FormatLabel(application, StringId::MsgValueRefused, {CutTo100(value)});
}

QString NotValidText(const CApplication *application, const CSettingNode *node)
{
    const CSettingNode *item = node->GetParent();
    while (item && !IsItemType(item->GetType()))
        item = item->GetParent();
    const QString label = CutTo100(node->GetLabel(true));
    const QString reason = RefusalReason(application, node);
    if (!item)
        return FormatLabel(application, StringId::MsgSettingRefused, {label, reason});
    return FormatLabel(application, StringId::MsgItemSettingRefused,
                       {label, CutTo100(item->GetLabel(true)), reason});
}

} // namespace

QString CheckBeforeSending(const CApplication *application, const CSettingNode *root,
                           const CSettingNode **failing)
{
    const CSettingNode *first = nullptr;
    if (failing)
        *failing = nullptr;
    if (CheckTree(root, &first, true) || !first)
        return QString();
    if (failing)
        *failing = first;
    return NotValidText(application, first);
}

namespace {

std::vector<CFailingSetting> WithMessages(const CApplication *application,
                                          const std::vector<const CSettingNode *> &nodes)
{
    std::vector<CFailingSetting> settings;
    settings.reserve(nodes.size());
    for (const CSettingNode *node : nodes)
        settings.push_back({node, NotValidText(application, node)});
    return settings;
}

} // namespace

std::vector<CFailingSetting> FailingSettings(const CApplication *application,
                                             const CSettingNode *root, bool onlyIncluded)
{
    return WithMessages(application, FailingNodes(root, onlyIncluded));
}

std::vector<CFailingSetting> FailingSettingsAmong(const CApplication *application,
                                                  const std::vector<const CSettingNode *> &nodes)
{
    return WithMessages(application, FailingAmong(nodes));
}

PhoneInfo ParsePhoneInfo(const QString &text)
{
    return {TextBetween(text, u"<EPOCName>", u"</EPOCName>"),
            TextBetween(text, u"<IMEI>", u"</IMEI>"),
            TextBetween(text, u"<PhoneNumber>", u"</PhoneNumber>")};
}

QString PhoneFieldText(const CApplication *application, const QString &value)
{
    return u' ' + (value.isEmpty() ? LoadLabel(application, StringId::NotAvailable, true) : value);
}

QString PhoneHeldText(const CApplication *application, const QString &holderName)
{
    const QString format = LoadLabel(application, StringId::MsgPhoneHeld, true);
    const QString name = holderName.trimmed();
    const qsizetype placeholder = format.indexOf(u"(%s)");
    if (!name.isEmpty() || placeholder < 0)
        return FormatText(format, {name});
    return format.left(placeholder).trimmed() + u' ' + format.mid(placeholder + 4).trimmed();
}

QString ServerErrorText(const CApplication *application, HRESULT result,
                        const QString &settingLabel, const QString &text, int32_t lastPhase,
                        const QString &lastText)
{
    const uint32_t code = HRESULT_CODE(result);
    // A server that went silent or away counts as one that cannot be reached.
    const unsigned label =
        result == RPC_E_DISCONNECTED ? unsigned(StringId::MsgServerNotReached) : ErrorLabel(code);
    QString message;
    if (label)
        message = LoadLabel(application, label, true);
    else if (!settingLabel.isEmpty())
        message =
            FormatLabel(application, StringId::MsgSettingNotValid, {CutTo100(settingLabel), text});
    else
        message = LoadLabel(application, StringId::MsgSettingRejected, true);
    qsizetype end = message.size();
    while (end > 0 && message.at(end - 1).isSpace())
        --end;
    message.truncate(end);
    if (!message.endsWith(u'.'))
        message += u'.';
    if (NamesCopiedFile(code) && lastPhase == TransferPhase::CopyingFile && !lastText.isEmpty())
        message += QStringLiteral("\r\n") + FileNameOf(lastText);
    return message;
}

QString RefusedFileText(const CApplication *application, HRESULT result, uint32_t reason,
                        const QString &phonePath)
{
    QString message = ServerErrorText(application, result);
    if (reason == FileRefusal::NoSuchDrive || reason == FileRefusal::NameNotAllowed) {
        message += u' ';
        message += LoadLabel(application,
                             reason == FileRefusal::NoSuchDrive ? StringId::FileRefusedNoSuchDrive
                                                                : StringId::FileRefusedName,
                             true);
    }
    return message + QStringLiteral("\r\n") + phonePath;
}

QString FileExistsQuestion(const CApplication *application, const QString &settingName,
                           const QString &phonePath)
{
    const QString name = FileNameOf(phonePath);
    return FormatLabel(application, StringId::QuestionFileExists,
                       {LabelForTag(application, settingName), name,
                        phonePath.left(phonePath.size() - name.size())});
}

QString ProgressStatus(const CApplication *application, int32_t phase, const QString &text)
{
    QString status;
    switch (phase) {
    case TransferPhase::Preparing:
        status = LoadLabel(application, StringId::PreparingToSend, true);
        break;
    case TransferPhase::SendingSetting:
        status =
            FormatLabel(application, StringId::SendingSetting, {LabelForTag(application, text)});
        break;
    case TransferPhase::CopyingFile:
        status = FormatLabel(application, StringId::CopyingFile, {FileNameOf(text)});
        break;
    case TransferPhase::InstallingFile:
        status = FormatLabel(application, StringId::InstallingFile, {FileNameOf(text)});
        break;
    default:
        status = LoadLabel(application, StringId::SendingConfiguration, true);
        break;
    }
    return WithoutProgressDots(status);
}

QString CancellingStatus(const CApplication *application)
{
    return WithoutProgressDots(LoadLabel(application, StringId::Cancelling, true));
}
