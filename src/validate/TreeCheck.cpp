#include "validate/TreeCheck.h"

#include "settings/ItemNames.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "validate/DuplicateNameIndex.h"
#include "validate/FieldLimits.h"
#include "validate/Validators.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace {

using namespace NodeType;

// Nodes of editor kind 0 that hold a PC or phone file path.
constexpr int kPathTypes[] = {Unnamed110, RingingTone, BackgroundImage,
                              SISFile,    FileLocal,   FileRemote};

// The data call settings that only make sense together.
constexpr int kDataCallTrio[] = {ConnectionType, RemoteModemType, MaxConnectionSpeed};

template<typename Range>
bool Contains(const Range &range, int type)
{
    return std::find(std::begin(range), std::end(range), type) != std::end(range);
}

bool IsSet(const CSettingNode *node)
{
    return node->IsIncluded() || node->GetUpdateFlag();
}

bool LengthWithin(const QString &value, int minimum, int maximum)
{
    return value.size() >= minimum && value.size() <= maximum;
}

struct NodeState
{
    CSettingNode *node;
    QString value;
    int include;
    int update;
};

class CTreeCheck
{
public:
    CTreeCheck(const CSettingNode *root, bool onlyIncluded, bool repair,
               const RepairObserver &observer,
               std::vector<const CSettingNode *> *allFailing = nullptr)
        : m_onlyIncluded(onlyIncluded)
        , m_repair(repair)
        , m_observer(observer)
        , m_allFailing(allFailing)
        , m_itemNames(root)
    {}

    bool Check(CSettingNode *node);
    // The checks of node alone.
    bool Passes(CSettingNode *node);
    CSettingNode *Failing() const { return m_failing; }

private:
    bool CheckValue(CSettingNode *node);
    bool CheckText(CSettingNode *node);
    bool CheckPhoneNumber(const CSettingNode *node) const;
    bool CheckChoice(const CSettingNode *node);
    bool DataCallFlagsAgree(const CSettingNode *node) const;
    bool HandleFailure(CSettingNode *node);
    void Repair(CSettingNode *node);
    void Snapshot(CSettingNode *node, std::vector<NodeState> &states) const;
    void ReportChanges(const std::vector<NodeState> &states) const;

    const bool m_onlyIncluded;
    const bool m_repair;
    const RepairObserver &m_observer;
    // Without repairs, the walk goes on past failures when it lists them all.
    std::vector<const CSettingNode *> *m_allFailing;
    CSettingNode *m_failing = nullptr;
    CDuplicateNameIndex m_duplicates;
    // Item names cannot change during the walk: a repair never renames an
    // item, since naming refuses the empty text.
    CReferenceNames m_itemNames;
};

bool CTreeCheck::Passes(CSettingNode *node)
{
    return CheckValue(node) &&
           (!Contains(kDataCallTrio, node->GetType()) || DataCallFlagsAgree(node));
}

bool CTreeCheck::Check(CSettingNode *node)
{
    if (IsTemplateType(node->GetType()))
        return true;
    bool passed = Passes(node);
    if (!passed) {
        if (m_allFailing) {
            m_allFailing->push_back(node);
        } else if (!m_repair) {
            m_failing = node;
            return false;
        } else {
            passed = HandleFailure(node);
        }
    }
    if (m_onlyIncluded && node->GetType() != Root && !IsSet(node))
        return passed;
    // Indexed, since a repair's SetValue may add nodes to the tree.
    for (std::size_t i = 0; i < node->Children().size(); ++i) {
        if (!Check(node->Children()[i])) {
            if (!m_repair && !m_allFailing)
                return false;
            passed = false;
        }
    }
    return passed;
}

bool CTreeCheck::HandleFailure(CSettingNode *node)
{
    std::vector<NodeState> before;
    if (m_observer)
        Snapshot(node, before);
    const bool disabled = node->IsDisabled();
    if (!disabled)
        Repair(node);
    if (m_observer)
        ReportChanges(before);
    return disabled;
}

void CTreeCheck::Repair(CSettingNode *node)
{
    if (!node->GetValue().isEmpty()) {
        QStringList choices;
        node->GetChoices(choices, false);
        const QString oldValue = node->GetValue();
        node->SetValue(choices.isEmpty() ? QString() : choices.first());
        // Later names of the category are judged against the new value.
        m_duplicates.ValueChanged(node, oldValue);
    }
    if (!node->IsMandatoryInIncludedParent()) {
        node->SetInclude(0, 1);
        node->SetUpdateFlag(0);
    }
}

bool CTreeCheck::CheckValue(CSettingNode *node)
{
    const int type = node->GetType();
    const QString &value = node->GetValue();
    const bool strict = !m_repair;
    switch (node->GetEditorKind()) {
    case EditorKind::None:
        return !Contains(kPathTypes, type) ||
               IsValidPath(value, type == FileRemote ? PathSide::Phone : PathSide::PC);
    case EditorKind::IPAddress:
        if (value.isEmpty())
            return !(strict && type == ServiceAddress);
        return IsValidIPAddress(value);
    case EditorKind::HostName:
        if (value.isEmpty())
            return !(strict && (type == InServer || type == OutServer));
        return IsValidHostName(value);
    case EditorKind::EMailAddress:
        if (value.isEmpty())
            return !(strict && type == EMailAddress);
        return IsValidEmailAddress(value);
    case EditorKind::PortNumber:
        return value.isEmpty() ? !IsSet(node) : IsValidPort(value);
    case EditorKind::MessageSize:
        if (value.isEmpty())
            return true;
        if (!IsAllDigits(value))
            return false;
        if (type == MessageMaxSize) {
            const int size = ReadInteger(value);
            return size >= kMinMessageMaxSize && size <= kMaxMessageMaxSize;
        }
        return true;
    case EditorKind::PhoneNumber:
        return CheckPhoneNumber(node);
    case EditorKind::Text:
    case EditorKind::BookmarkConnection:
        if (std::any_of(value.begin(), value.end(),
                        [type](QChar c) { return RefusedCharacters(type).contains(c); }))
            return false;
        return CheckText(node);
    case EditorKind::Password:
    case EditorKind::ConnectionName:
    case EditorKind::MailboxName:
    case EditorKind::PlainText:
    case EditorKind::ModemInit:
        return CheckText(node);
    case EditorKind::MultilineText:
        return value.size() <= MaxLength(type);
    case EditorKind::Choice:
        return CheckChoice(node);
    case EditorKind::WWWBookmarkURL:
        if (type == WWWBookmarkURL)
            return LengthWithin(value, 1, MaxLength(type)) && IsValidURL(value);
        return value.isEmpty() || IsValidURL(value);
    case EditorKind::WAPBookmarkURL:
        if (type == WAPBookmarkURL)
            return LengthWithin(value, 1, MaxLength(type)) && IsValidURL(value);
        return IsValidURL(value);
    default:
        return true;
    }
}

bool CTreeCheck::CheckText(CSettingNode *node)
{
    const int type = node->GetType();
    const QString &value = node->GetValue();
    int minimum = 0;
    bool unique = false;
    switch (type) {
    case IAPConnectionName:
    case WAPConnectionName:
        if (value.isEmpty())
            return false;
        unique = true;
        break;
    case MailboxName:
    case WWWBookmarkName:
    case WAPBookmarkName:
        unique = true;
        minimum = 1;
        break;
    case CentreName:
    case WAPBookmarkUseConnection:
        minimum = 1;
        break;
    default:
        break;
    }
    return LengthWithin(value, minimum, MaxLength(type)) &&
           !(unique && m_duplicates.IsDuplicateName(node));
}

bool CTreeCheck::CheckPhoneNumber(const CSettingNode *node) const
{
    const int type = node->GetType();
    const QString &value = node->GetValue();
    switch (type) {
    case IAPPhoneNumber:
    case CentrePhoneNumber:
        return LengthWithin(value, m_repair ? 0 : 1, MaxLength(type)) &&
               IsValidPhoneNumber(value, type);
    case DefaultVoiceMailbox:
        if (!IsSet(node))
            return true;
        return LengthWithin(value, kMinVoiceMailboxLength, MaxLength(type)) &&
               IsValidPhoneNumber(value, type);
    default:
        return value.size() <= MaxLength(type) && IsValidPhoneNumber(value, type);
    }
}

bool CTreeCheck::CheckChoice(const CSettingNode *node)
{
    const int type = node->GetType();
    const QString &value = node->GetValue();
    switch (type) {
    case PreferredConnection:
    case PreferredMailbox:
    case PreferredCentre:
        if (IsSet(node) && value.isEmpty())
            return false;
        return value.size() <= MaxLength(type);
    case MailboxUseConnection:
    case WAPUseConnection:
        return LengthWithin(value, 1, MaxLength(type));
    default:
        break;
    }
    const ChoiceSource source = NodeTypeInfoOf(type).choices;
    if (source != ChoiceSource::None && source != ChoiceSource::Fixed &&
        source != ChoiceSource::ConnectionSpeeds)
        return m_itemNames.For(source).Contains(value);
    return node->OffersChoice(value);
}

bool CTreeCheck::DataCallFlagsAgree(const CSettingNode *node) const
{
    // A missing sibling counts as not set.
    const CSettingNode *parent = node->GetParent();
    const auto isSet = [&](int type) {
        const CSettingNode *member =
            type == node->GetType() ? node : (parent ? parent->FindChild(type) : nullptr);
        return member && IsSet(member);
    };
    const bool first = isSet(kDataCallTrio[0]);
    return std::all_of(std::begin(kDataCallTrio), std::end(kDataCallTrio),
                       [&](int type) { return isSet(type) == first; });
}

// The nodes a repair of this node can change: the node; the values SetValue
// changes in turn; the entries that the include rule excludes along with a
// list; and the ancestors, which the disabled test may exclude.
void CTreeCheck::Snapshot(CSettingNode *node, std::vector<NodeState> &states) const
{
    const auto add = [&states](CSettingNode *watched) {
        if (watched)
            states.push_back(
                {watched, watched->GetValue(), watched->IsIncluded(), watched->GetUpdateFlag()});
    };
    const auto addDescendants = [&](CSettingNode *top, const auto &self) -> void {
        for (CSettingNode *child : top->Children()) {
            add(child);
            self(child, self);
        }
    };
    add(node);
    const int type = node->GetType();
    CSettingNode *parent = node->GetParent();
    if ((type == ConnectionType || type == RemoteModemType) && parent)
        add(parent->FindChild(MaxConnectionSpeed));
    if (type == MailboxType && parent && parent->GetParent()) {
        CSettingNode *retrieveMail = parent->GetParent()->FindChild(RetrieveMail);
        add(retrieveMail ? retrieveMail->FindChild(Retrieve) : nullptr);
    }
    if (IsEntryListType(type) || type == WWWBookmark || type == WAPBookmark)
        addDescendants(node, addDescendants);
    for (CSettingNode *ancestor = parent; ancestor; ancestor = ancestor->GetParent())
        add(ancestor);
}

void CTreeCheck::ReportChanges(const std::vector<NodeState> &states) const
{
    for (const NodeState &state : states) {
        const CSettingNode *node = state.node;
        if (node->GetValue() != state.value || node->IsIncluded() != state.include ||
            node->GetUpdateFlag() != state.update)
            m_observer(state.node, state.value);
    }
}

} // namespace

int CheckTree(CSettingNode *node, CSettingNode **failing, bool onlyIncluded, bool repair,
              const RepairObserver &observer)
{
    if (failing)
        *failing = nullptr;
    if (!node)
        return 1;
    CTreeCheck check(node->Root(), onlyIncluded, repair, observer);
    const bool passed = check.Check(node);
    if (failing && !repair)
        *failing = check.Failing();
    return passed ? 1 : 0;
}

int CheckTree(const CSettingNode *node, const CSettingNode **failing, bool onlyIncluded)
{
    // Without repairs the walk changes nothing.
    CSettingNode *found = nullptr;
    const int passed =
        CheckTree(const_cast<CSettingNode *>(node), &found, onlyIncluded, false, RepairObserver());
    if (failing)
        *failing = found;
    return passed;
}

std::vector<const CSettingNode *> FailingNodes(const CSettingNode *node, bool onlyIncluded)
{
    std::vector<const CSettingNode *> failing;
    if (!node)
        return failing;
    CTreeCheck check(node->Root(), onlyIncluded, false, RepairObserver(), &failing);
    // Without repairs the walk changes nothing.
    check.Check(const_cast<CSettingNode *>(node));
    return failing;
}

bool IsReachedByCheck(const CSettingNode *node, bool onlyIncluded)
{
    if (!node || IsTemplateType(node->GetType()))
        return false;
    for (const CSettingNode *above = node->GetParent(); above; above = above->GetParent()) {
        if (IsTemplateType(above->GetType()))
            return false;
        if (onlyIncluded && above->GetType() != Root && !IsSet(above))
            return false;
    }
    return true;
}

std::vector<const CSettingNode *> FailingAmong(const std::vector<const CSettingNode *> &nodes)
{
    std::vector<const CSettingNode *> failing;
    if (nodes.empty())
        return failing;
    CTreeCheck check(nodes.front()->Root(), false, false, RepairObserver());
    for (const CSettingNode *node : nodes) {
        // Without repairs the check changes nothing.
        if (IsReachedByCheck(node, false) && !check.Passes(const_cast<CSettingNode *>(node)))
            failing.push_back(node);
    }
    return failing;
}
