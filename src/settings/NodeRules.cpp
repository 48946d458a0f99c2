// The per-type rules of the node type catalogue: labels, shown values,
// choices and the disabled test.
#include "settings/SettingNode.h"

#include "settings/ItemNames.h"
#include "settings/Labels.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/StringIds.h"
#include "settings/TagTable.h"

#include <algorithm>
#include <array>
#include <span>

namespace {

enum class Clause { None, ParentDisabled, NoChoices, SiblingIs, SiblingIsNot, MailboxTypeIsNot };

struct Condition
{
    Clause clause = Clause::None;
    int sibling = 0;
    const char16_t *value = nullptr;
};

// A node is disabled when either condition of its row holds.
struct DisableRule
{
    int type;
    Condition first;
    Condition second;
};

constexpr Condition ParentDisabled{Clause::ParentDisabled};
constexpr Condition NoChoices{Clause::NoChoices};
constexpr Condition Is(int sibling, const char16_t *value)
{
    return {Clause::SiblingIs, sibling, value};
}
constexpr Condition IsNot(int sibling, const char16_t *value)
{
    return {Clause::SiblingIsNot, sibling, value};
}
constexpr Condition MailboxTypeIsNot(const char16_t *value)
{
    return {Clause::MailboxTypeIsNot, 0, value};
}

using namespace NodeType;

constexpr DisableRule kDisableRules[] = {
    {PreferredConnection, NoChoices, {}},
    {PreferredMailbox, NoChoices, {}},
    {MailboxUseConnection, NoChoices, {}},
    {PreferredCentre, NoChoices, {}},
    {WWWBookmarks, NoChoices, {}},
    {TelnetAccessPoint, NoChoices, {}},
    {IAPPassword, Is(PromptPassword, u"Yes"), {}},
    {HTTPProxyServer, ParentDisabled, Is(HTTPUseProxy, u"No")},
    {HTTPPortNumber, ParentDisabled, Is(HTTPUseProxy, u"No")},
    {HTTPNoProxyFor, ParentDisabled, Is(HTTPUseProxy, u"No")},
    {HTTPSProxyServer, ParentDisabled, Is(HTTPSUseProxy, u"No")},
    {HTTPSPortNumber, ParentDisabled, Is(HTTPSUseProxy, u"No")},
    {HTTPSNoProxyFor, ParentDisabled, Is(HTTPSUseProxy, u"No")},
    {SpeedChanging, Is(ConnectionType, u"Normal"), {}},
    {CallbackType, Is(UseCallback, u"No"), {}},
    {CallbackNumber, IsNot(CallbackType, u"Number"), Is(UseCallback, u"No")},
    {Script, Is(UseLoginScript, u"No"), {}},
    {DisplayTerminalWindow, Is(UseLoginScript, u"No"), {}},
    {IPAddress, Is(RetrieveIP, u"Yes"), {}},
    {PrimaryDNS, Is(RetrieveDNSAddress, u"Yes"), {}},
    {SecondaryDNS, Is(RetrieveDNSAddress, u"Yes"), {}},
    {Signature, IsNot(IncludeSignature, u"Custom"), {}},
    {UseAPOP, MailboxTypeIsNot(u"POP3"), {}},
    {IMAP4FolderPath, MailboxTypeIsNot(u"IMAP4"), {}},
    {SMSSettingsForBearer, IsNot(BearerEitherSMSOrDataCall, u"SMS"), {}},
    {DataSettingsForBearer, IsNot(BearerEitherSMSOrDataCall, u"DataCall"), {}},
    {SMSCentreNumber, ParentDisabled, {}},
    {ServiceNumber, ParentDisabled, {}},
    {ServiceAddress, ParentDisabled, {}},
    {WAPUseConnection, ParentDisabled, NoChoices},
};

// Asked for every node of the tree after each change, so looked up by type.
const DisableRule *DisableRuleOf(int type)
{
    static const auto byType = [] {
        std::array<const DisableRule *, FreeElement + 1> table{};
        for (const DisableRule &rule : kDisableRules)
            table.at(static_cast<size_t>(rule.type)) = &rule;
        return table;
    }();
    return type >= 0 && type <= FreeElement ? byType[static_cast<size_t>(type)] : nullptr;
}

// Reference nodes: the text shown when there is nothing to name, and whether
// a re-pointed mandatory reference is included.
struct ReferenceRule
{
    int type;
    unsigned noneLabel;
    bool includeWhenRepointed;
};

constexpr ReferenceRule kReferenceRules[] = {
    {PreferredConnection, StringId::NoAccessPoints, true},
    {MailboxUseConnection, StringId::NoAccessPoints, true},
    {WAPUseConnection, StringId::NoAccessPoints, true},
    {TelnetAccessPoint, StringId::NoAccessPoints, true},
    {PreferredMailbox, StringId::NoMailboxes, false},
    {PreferredCentre, StringId::NoCentres, false},
};

const ReferenceRule *ReferenceRuleOf(int type)
{
    const auto it = std::find_if(std::begin(kReferenceRules), std::end(kReferenceRules),
                                 [type](const ReferenceRule &rule) { return rule.type == type; });
    return it == std::end(kReferenceRules) ? nullptr : it;
}

// Entry lists shown by their entry count.
struct CountRule
{
    int type;
    unsigned noneLabel;
    unsigned countFormat;
};

constexpr CountRule kCountRules[] = {
    {WWWBookmarks, StringId::NoBookmarks, StringId::BookmarkCount},
    {WAPBookmarks, StringId::NoBookmarks, StringId::BookmarkCount},
    {Unnamed110, StringId::NoFiles, StringId::FileCount},
    {RingingTones, StringId::NoFiles, StringId::FileCount},
    {BackgroundImages, StringId::NoFiles, StringId::FileCount},
    {SISFiles, StringId::NoFiles, StringId::FileCount},
    {Files, StringId::NoFiles, StringId::FileCount},
};

const CountRule *CountRuleOf(int type)
{
    const auto it = std::find_if(std::begin(kCountRules), std::end(kCountRules),
                                 [type](const CountRule &rule) { return rule.type == type; });
    return it == std::end(kCountRules) ? nullptr : it;
}

// Multi-line values are shown by a fixed text, never by their content.
unsigned FixedShownLabel(int type)
{
    if (type == Script)
        return StringId::ScriptShown;
    if (type == Signature)
        return StringId::SignatureShown;
    return 0;
}

const CSettingNode *Sibling(const CSettingNode *node, int type)
{
    return node->GetParent() ? node->GetParent()->FindChild(type) : nullptr;
}

bool SiblingValueIs(const CSettingNode *node, int type, const char16_t *value)
{
    const CSettingNode *sibling = Sibling(node, type);
    return sibling && sibling->GetValue() == QStringView(value);
}

const QString &ChoiceText(unsigned id)
{
    return InvariantText(id);
}

} // namespace

const QString &CSettingNode::GetElementName() const
{
    static const QString root = QStringLiteral("ROOT");
    static const QString none;
    if (m_type == FreeElement)
        return GetLabelOverride();
    if (m_type == NodeType::Root)
        return root;
    const unsigned id = NodeTypeInfoOf(m_type).labelId;
    return id ? InvariantText(id) : none;
}

QString CSettingNode::GetLabel(bool localized) const
{
    if (!localized || m_type == FreeElement || m_type == NodeType::Root)
        return GetElementName();
    if (const ItemRole *role = RoleOfItem(m_type)) {
        const CSettingNode *name = FindChild(role->nameField);
        return name ? name->m_value : QString();
    }
    const unsigned id = NodeTypeInfoOf(m_type).labelId;
    return id ? LoadLabel(m_application, id, true) : QString();
}

void CSettingNode::FixedChoiceIds(std::vector<unsigned> &ids) const
{
    const NodeTypeInfo &info = NodeTypeInfoOf(m_type);
    ids.assign(info.fixedChoices.begin(), info.fixedChoices.end());
    if (info.choices != ChoiceSource::ConnectionSpeeds)
        return;
    // Which speeds a data call offers depends on its type and the remote modem.
    const bool normal = SiblingValueIs(this, ConnectionType, u"Normal");
    const bool highSpeed = SiblingValueIs(this, ConnectionType, u"HighSpeed");
    const bool analog = SiblingValueIs(this, RemoteModemType, u"Analog");
    const bool v110 = SiblingValueIs(this, RemoteModemType, u"ISDNV.110");
    const bool v120 = SiblingValueIs(this, RemoteModemType, u"ISDNV.120");
    std::erase_if(ids, [&](unsigned id) {
        const QString &speed = ChoiceText(id);
        if (speed == u"Auto")
            return !(normal && analog);
        if (speed == u"19200" || speed == u"28800")
            return !highSpeed;
        if (speed == u"38400")
            return !(highSpeed && v110);
        if (speed == u"43200")
            return !(highSpeed && v120);
        return false;
    });
}

void CSettingNode::GetChoices(QStringList &list, bool display) const
{
    list.clear();
    const NodeTypeInfo &info = NodeTypeInfoOf(m_type);
    if (info.choices == ChoiceSource::None)
        return;
    if (info.choices == ChoiceSource::Fixed || info.choices == ChoiceSource::ConnectionSpeeds) {
        std::vector<unsigned> ids;
        FixedChoiceIds(ids);
        for (unsigned id : ids) {
            list.append(display ? ChoiceText(id) + u'\n' + LoadLabel(m_application, id, true)
                                : ChoiceText(id));
        }
        return;
    }
    list = ItemNames(Root(), info.choices);
    const ReferenceRule *reference = ReferenceRuleOf(m_type);
    if (display && list.isEmpty() && reference && reference->includeWhenRepointed) {
        list.append(ChoiceText(StringId::NoAccessPoints) + u'\n' +
                    LoadLabel(m_application, StringId::NoAccessPoints, true));
    }
}

bool CSettingNode::OffersChoice(QStringView value) const
{
    const NodeTypeInfo &info = NodeTypeInfoOf(m_type);
    const auto offered = [value](unsigned id) {
        return ChoiceText(id) == value;
    };
    switch (info.choices) {
    case ChoiceSource::None:
        return false;
    case ChoiceSource::Fixed:
        return std::any_of(info.fixedChoices.begin(), info.fixedChoices.end(), offered);
    case ChoiceSource::ConnectionSpeeds: {
        std::vector<unsigned> ids;
        FixedChoiceIds(ids);
        return std::any_of(ids.begin(), ids.end(), offered);
    }
    default:
        return ItemNames(Root(), info.choices).contains(value);
    }
}

QString CSettingNode::FixedChoiceDisplay() const
{
    std::vector<unsigned> ids;
    FixedChoiceIds(ids);
    for (unsigned id : ids) {
        if (ChoiceText(id) == m_value)
            return LoadLabel(m_application, id, true);
    }
    return m_value;
}

bool CSettingNode::RepointReference(const CNameList &names)
{
    if (names.names.isEmpty()) {
        if (!m_value.isEmpty())
            StoreValue(QString());
        SetInclude(0, 1);
        return false;
    }
    if (!m_value.isEmpty() && names.Contains(m_value))
        return true;
    StoreValue(names.names.last());
    if (ReferenceRuleOf(m_type)->includeWhenRepointed && IsMandatoryInIncludedParent())
        SetInclude(1, 1);
    SetModified(1);
    return true;
}

QString CSettingNode::GetDisplayValue(bool localized) const
{
    if (!localized)
        return m_value;
    CReferenceNames names(Root());
    return GetDisplayValue(names);
}

QString CSettingNode::GetDisplayValue(CReferenceNames &names) const
{
    if (const ReferenceRule *reference = ReferenceRuleOf(m_type)) {
        // Shown as the refresh of references will leave it.
        const CNameList &items = names.For(NodeTypeInfoOf(m_type).choices);
        if (items.names.isEmpty())
            return LoadLabel(m_application, reference->noneLabel, true);
        return !m_value.isEmpty() && items.Contains(m_value) ? m_value : items.names.last();
    }
    if (const unsigned shown = FixedShownLabel(m_type))
        return LoadLabel(m_application, shown, true);
    if (const CountRule *count = CountRuleOf(m_type)) {
        if (m_children.empty())
            return LoadLabel(m_application, count->noneLabel, true);
        return FormatCount(m_application, count->countFormat, ChildCount());
    }
    return FixedChoiceDisplay();
}

bool CSettingNode::DisabledByOwnRule(CReferenceNames *names) const
{
    const DisableRule *rule = DisableRuleOf(m_type);
    if (!rule)
        return false;
    for (const Condition &condition : {rule->first, rule->second}) {
        switch (condition.clause) {
        case Clause::None:
            break;
        case Clause::ParentDisabled:
            if (m_parent && m_parent->IsDisabledBy(names, m_parent->HasTemplateAncestor()))
                return true;
            break;
        case Clause::NoChoices:
            if (!HasChoices(names))
                return true;
            break;
        case Clause::SiblingIs:
            if (SiblingValueIs(this, condition.sibling, condition.value))
                return true;
            break;
        case Clause::SiblingIsNot: {
            const CSettingNode *sibling = Sibling(this, condition.sibling);
            if (sibling && sibling->m_value != QStringView(condition.value))
                return true;
            break;
        }
        case Clause::MailboxTypeIsNot: {
            const CSettingNode *mailbox = m_parent ? m_parent->m_parent : nullptr;
            const CSettingNode *type =
                mailbox ? mailbox->FindDescendant({Servers, MailboxType}) : nullptr;
            if (type && type->m_value != QStringView(condition.value))
                return true;
            break;
        }
        }
    }
    return false;
}

bool CSettingNode::HasChoices(CReferenceNames *names) const
{
    const NodeTypeInfo &info = NodeTypeInfoOf(m_type);
    switch (info.choices) {
    case ChoiceSource::None:
        return false;
    case ChoiceSource::Fixed:
    case ChoiceSource::ConnectionSpeeds: {
        std::vector<unsigned> ids;
        FixedChoiceIds(ids);
        return !ids.empty();
    }
    default:
        // Item names: any item offers one, whatever its name.
        return names ? !names->For(info.choices).names.isEmpty()
                     : HasItemNames(Root(), info.choices);
    }
}

bool CSettingNode::HasTemplateAncestor() const
{
    // The root is no template, so the walk may stop below it.
    for (const CSettingNode *node = m_parent; node && node->m_parent; node = node->m_parent) {
        if (IsTemplateType(node->m_type))
            return true;
    }
    return false;
}

bool CSettingNode::IsDisabledBy(CReferenceNames *names, bool belowTemplate) const
{
    if (DisabledByOwnRule(names))
        return true;
    return belowTemplate && !IsNameFieldType(m_type);
}

int CSettingNode::IsDisabled() const
{
    return IsDisabledBy(nullptr, HasTemplateAncestor()) ? 1 : 0;
}

void CSettingNode::ExcludeDisabledNodes()
{
    // A few reference nodes below ask for their names directly, which is
    // cheaper than collecting every name of a large tree.
    Normalise(nullptr, HasTemplateAncestor(), false);
}

void CSettingNode::Normalise()
{
    CReferenceNames names(Root());
    Normalise(&names, HasTemplateAncestor(), true);
}

// One pass for both, since the walk over a large tree costs more than what
// it does at each node.
void CSettingNode::Normalise(CReferenceNames *names, bool belowTemplate, bool references)
{
    if (references && IsReferenceType(m_type))
        RepointReference(names->For(NodeTypeInfoOf(m_type).choices));
    if (m_include && IsDisabledBy(names, belowTemplate))
        SetInclude(0, 1);
    const bool childrenBelowTemplate = belowTemplate || IsTemplateType(m_type);
    for (CSettingNode *child : m_children)
        child->Normalise(names, childrenBelowTemplate, references);
}

int CSettingNode::IsMandatory() const
{
    return NodeTypeInfoOf(m_type).mandatory ? 1 : 0;
}

int CSettingNode::IsMandatoryInIncludedParent() const
{
    return IsMandatory() && m_parent && m_parent->IsIncluded() ? 1 : 0;
}
