#include "ui/problems/ProblemsModel.h"

#include "document/SendTexts.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodePath.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"
#include "ui/controls/ShownLabel.h"
#include "validate/TreeCheck.h"
#include "validate/Validators.h"

#include <QMetaObject>

#include <algorithm>
#include <utility>

namespace {

std::vector<const CSettingNode *> AncestorsOf(const CSettingNode *node)
{
    std::vector<const CSettingNode *> chain;
    for (; node; node = node->GetParent())
        chain.push_back(node);
    std::reverse(chain.begin(), chain.end());
    return chain;
}

// Names and items are what other settings' checks look at: duplicates and
// the choices that name an item.
bool OthersMayDependOn(const CSettingNode *node)
{
    const int type = node->GetType();
    return IsNameFieldType(type) || IsUniqueNameField(type) || IsItemType(type);
}

// Positions in the tree as the child numbers on the way from the root, with
// each parent's children numbered once.
class CTreeOrder
{
public:
    std::vector<int> KeyOf(const CSettingNode *node)
    {
        std::vector<int> key;
        for (; node && node->GetParent(); node = node->GetParent())
            key.push_back(PositionOf(node));
        std::reverse(key.begin(), key.end());
        return key;
    }

private:
    int PositionOf(const CSettingNode *node)
    {
        const CSettingNode *parent = node->GetParent();
        auto found = m_positions.find(parent);
        if (found == m_positions.end()) {
            found =
                m_positions.emplace(parent, std::unordered_map<const CSettingNode *, int>()).first;
            int position = 0;
            for (const CSettingNode *child : parent->Children())
                found->second.emplace(child, position++);
        }
        return found->second[node];
    }

    std::unordered_map<const CSettingNode *, std::unordered_map<const CSettingNode *, int>>
        m_positions;
};

} // namespace

bool IsBeforeInTree(const CSettingNode *a, const CSettingNode *b)
{
    if (a == b)
        return false;
    const std::vector<const CSettingNode *> first = AncestorsOf(a);
    const std::vector<const CSettingNode *> second = AncestorsOf(b);
    std::size_t depth = 0;
    while (depth < first.size() && depth < second.size() && first[depth] == second[depth])
        ++depth;
    // An ancestor comes before what lies below it.
    if (depth == first.size() || depth == second.size())
        return depth == first.size();
    if (depth == 0)
        return a < b;
    for (const CSettingNode *child : first[depth - 1]->Children()) {
        if (child == first[depth])
            return true;
        if (child == second[depth])
            return false;
    }
    return false;
}

CProblemsModel::CProblemsModel(const CApplication *application, QObject *parent)
    : QAbstractTableModel(parent)
    , m_application(application)
{}

CProblemsModel::~CProblemsModel() = default;

void CProblemsModel::SetOnlyIncluded(bool onlyIncluded)
{
    if (m_onlyIncluded == onlyIncluded)
        return;
    m_onlyIncluded = onlyIncluded;
    UpdateRows();
}

const CSettingNode *CProblemsModel::NodeAt(int row) const
{
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? m_rows[std::size_t(row)].node
                                                             : nullptr;
}

int CProblemsModel::RowOf(const CSettingNode *node) const
{
    const auto it = std::find_if(m_rows.begin(), m_rows.end(),
                                 [node](const CProblem &row) { return row.node == node; });
    return it == m_rows.end() ? -1 : static_cast<int>(it - m_rows.begin());
}

CProblemsModel::CProblem CProblemsModel::MakeProblem(const CSettingNode *node,
                                                     const QString &message) const
{
    QString shown = message;
    shown.replace(u'\n', u' ');
    return {node, node->GetLabel(true), shown};
}

void CProblemsModel::TreeReplaced(const CSettingNode *root)
{
    beginResetModel();
    m_root = root;
    m_failing.clear();
    m_rows.clear();
    m_marked.clear();
    m_recheckFailing = false;
    m_refilter = false;
    if (root) {
        for (const CFailingSetting &setting : FailingSettings(m_application, root, false))
            m_failing.push_back(MakeProblem(setting.node, setting.message));
        for (const CProblem &problem : m_failing) {
            if (IsShown(problem.node))
                m_rows.push_back(problem);
        }
    }
    endResetModel();
    emit countChanged(rowCount());
}

void CProblemsModel::Mark(const CSettingNode *node, bool withSubtree)
{
    m_marked.insert(node);
    if (withSubtree) {
        for (const CSettingNode *child : node->Children())
            Mark(child, true);
    }
    ScheduleSettle();
}

void CProblemsModel::ScheduleSettle()
{
    if (m_settlePending)
        return;
    m_settlePending = true;
    QMetaObject::invokeMethod(this, &CProblemsModel::Settle, Qt::QueuedConnection);
}

void CProblemsModel::NodeAdded(const CSettingNode *node)
{
    if (!m_root)
        return;
    m_recheckFailing = m_recheckFailing || OthersMayDependOn(node);
    Mark(node, true);
}

void CProblemsModel::NodeChanged(const CSettingNode *node)
{
    if (!m_root)
        return;
    m_recheckFailing = m_recheckFailing || OthersMayDependOn(node);
    // A flag above other nodes changes which of them the filter shows; a
    // template named becomes an item whose fields are checked from now on.
    if (node->ChildCount())
        m_refilter = true;
    const int type = node->GetType();
    Mark(node, IsItemType(type) || IsTemplateType(type));
    // The data call settings are checked as a set.
    if (type == NodeType::ConnectionType || type == NodeType::RemoteModemType ||
        type == NodeType::MaxConnectionSpeed) {
        if (const CSettingNode *parent = node->GetParent()) {
            for (const CSettingNode *sibling : parent->Children())
                Mark(sibling, false);
        }
    }
}

void CProblemsModel::NodesRemoved(const CSettingNode *,
                                  const std::vector<const CSettingNode *> &nodes)
{
    if (!m_root)
        return;
    // The removed nodes still exist now, but not once the report is over.
    const auto isRemoved = [&nodes](const CSettingNode *node) {
        for (; node; node = node->GetParent()) {
            if (std::find(nodes.begin(), nodes.end(), node) != nodes.end())
                return true;
        }
        return false;
    };
    std::erase_if(m_marked, isRemoved);
    std::erase_if(m_failing, [&](const CProblem &problem) { return isRemoved(problem.node); });
    for (int row = rowCount() - 1; row >= 0; --row) {
        if (isRemoved(m_rows[std::size_t(row)].node)) {
            beginRemoveRows({}, row, row);
            m_rows.erase(m_rows.begin() + row);
            endRemoveRows();
        }
    }
    m_recheckFailing = true;
    ScheduleSettle();
    emit countChanged(rowCount());
}

void CProblemsModel::Insert(std::vector<CProblem> added)
{
    // A few settings find their places by comparison; many (an item or a
    // category included) are sorted by their positions in the tree and merged.
    constexpr std::size_t kFewSettings = 16;
    if (added.size() <= kFewSettings) {
        for (CProblem &problem : added) {
            const auto place =
                std::lower_bound(m_failing.begin(), m_failing.end(), problem.node,
                                 [](const CProblem &known, const CSettingNode *node) {
                                     return IsBeforeInTree(known.node, node);
                                 });
            m_failing.insert(place, std::move(problem));
        }
        return;
    }
    CTreeOrder order;
    std::vector<std::pair<std::vector<int>, CProblem>> keyed;
    keyed.reserve(m_failing.size() + added.size());
    for (CProblem &problem : m_failing)
        keyed.emplace_back(order.KeyOf(problem.node), std::move(problem));
    for (CProblem &problem : added)
        keyed.emplace_back(order.KeyOf(problem.node), std::move(problem));
    std::sort(keyed.begin(), keyed.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    m_failing.clear();
    for (auto &[key, problem] : keyed)
        m_failing.push_back(std::move(problem));
}

void CProblemsModel::Settle()
{
    m_settlePending = false;
    if (!m_root || (m_marked.empty() && !m_recheckFailing && !m_refilter))
        return;
    std::vector<const CSettingNode *> nodes(m_marked.begin(), m_marked.end());
    if (m_recheckFailing) {
        for (const CProblem &problem : m_failing) {
            if (!m_marked.count(problem.node))
                nodes.push_back(problem.node);
        }
    }
    m_marked.clear();
    const bool namesChanged = std::exchange(m_recheckFailing, false);
    m_refilter = false;

    std::unordered_map<const CSettingNode *, std::size_t> known;
    known.reserve(m_failing.size());
    for (std::size_t i = 0; i < m_failing.size(); ++i)
        known.emplace(m_failing[i].node, i);
    std::unordered_set<const CSettingNode *> passed(nodes.begin(), nodes.end());
    std::vector<CProblem> added;
    for (const CFailingSetting &setting : FailingSettingsAmong(m_application, nodes)) {
        passed.erase(setting.node);
        const auto found = known.find(setting.node);
        if (found != known.end())
            m_failing[found->second] = MakeProblem(setting.node, setting.message);
        else
            added.push_back(MakeProblem(setting.node, setting.message));
    }
    std::erase_if(m_failing,
                  [&passed](const CProblem &problem) { return passed.count(problem.node) != 0; });
    Insert(std::move(added));
    UpdateRows();
    if (namesChanged && rowCount())
        emit dataChanged(index(0, PathColumn), index(rowCount() - 1, PathColumn));
}

bool CProblemsModel::IsShown(const CSettingNode *node) const
{
    return !m_onlyIncluded || IsReachedByCheck(node, true);
}

void CProblemsModel::UpdateRows()
{
    const int before = rowCount();
    std::unordered_map<const CSettingNode *, const CProblem *> wanted;
    for (const CProblem &problem : m_failing) {
        if (IsShown(problem.node))
            wanted.emplace(problem.node, &problem);
    }
    for (int row = rowCount() - 1; row >= 0; --row) {
        if (!wanted.count(m_rows[std::size_t(row)].node)) {
            beginRemoveRows({}, row, row);
            m_rows.erase(m_rows.begin() + row);
            endRemoveRows();
        }
    }
    // Both lists are in tree order, so one pass finds every insertion.
    std::size_t row = 0;
    for (const CProblem &problem : m_failing) {
        if (!wanted.count(problem.node))
            continue;
        if (row < m_rows.size() && m_rows[row].node == problem.node) {
            CProblem &shown = m_rows[row];
            if (shown.label != problem.label || shown.message != problem.message) {
                shown = problem;
                emit dataChanged(index(int(row), 0), index(int(row), ColumnCount - 1));
            }
        } else {
            beginInsertRows({}, int(row), int(row));
            m_rows.insert(m_rows.begin() + std::ptrdiff_t(row), problem);
            endInsertRows();
        }
        ++row;
    }
    if (rowCount() != before)
        emit countChanged(rowCount());
}

int CProblemsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CProblemsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CProblemsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const CProblem &problem = m_rows[std::size_t(index.row())];
    switch (index.column()) {
    case LabelColumn:
        return problem.label;
    case PathColumn:
        // Made when shown: a path names an item among all its siblings.
        return PathOfNode(problem.node);
    case MessageColumn:
        return problem.message;
    default:
        return {};
    }
}

QVariant CProblemsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static constexpr unsigned kHeaders[] = {StringId::ProblemsSetting, StringId::ProblemsPath,
                                            StringId::ProblemsMessage};
    return section >= 0 && section < ColumnCount ? ShownLabel(m_application, kHeaders[section])
                                                 : QVariant();
}
