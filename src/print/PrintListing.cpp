#include "print/PrintListing.h"

#include "document/TreeRows.h"
#include "print/PrintCanvas.h"
#include "print/PrintLine.h"
#include "print/PrintMeasure.h"
#include "print/TextWrap.h"
#include "settings/ItemNames.h"
#include "settings/Labels.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"

namespace {

const QString kHiddenPassword = QStringLiteral("********");

} // namespace

CPageTexts CPageTexts::ForDocument(const CApplication *application, const QString &documentTitle,
                                   const QString &date)
{
    QString name = LoadLabel(application, StringId::ViewName, true);
    if (const qsizetype crlf = name.indexOf(QStringLiteral("\r\n")); crlf >= 0)
        name.replace(crlf, 2, u' ');
    else if (const qsizetype feed = name.indexOf(u'\n'); feed >= 0)
        name[feed] = u' ';
    return {name, documentTitle, date, LoadLabel(application, StringId::PrintPage, true)};
}

void CPrintListing::Build(const CSettingNode *root, int rangeMode, int pageWidth, int pageHeight,
                          const IPrintMeasure &measure, const SelectedTest &selected)
{
    m_aborted = false;
    m_measure = &measure;
    m_selected = selected;
    m_rangeMode = rangeMode;
    m_geometry = CPageGeometry::ForPage(pageWidth, pageHeight, measure.LineHeight());
    m_spaceWidth = measure.TextWidth(u" ", false);
    m_lines.clear();
    if (root) {
        CReferenceNames names(root);
        m_names = &names;
        for (const CSettingNode *item : RowChildren(root, false))
            CollectItem(item, 1, false);
        m_names = nullptr;
    }
    RemoveTrailingBlankLines();
    m_measure = nullptr;
    m_selected = nullptr;
}

int CPrintListing::PageCount() const
{
    const auto perPage = static_cast<std::size_t>(m_geometry.linesPerPage);
    return static_cast<int>(m_lines.size() / perPage + (m_lines.size() % perPage ? 1 : 0));
}

void CPrintListing::DrawPage(int page, IPrintCanvas &canvas, const CPageTexts &texts) const
{
    const CPageGeometry &g = m_geometry;
    canvas.DrawRule(g.HeaderRule());
    canvas.DrawRule(g.FooterRule());
    canvas.DrawText(g.left + g.unit, g.HeaderText(), texts.viewName, false);
    canvas.DrawTextRightAligned(g.right, g.HeaderText(), texts.documentTitle);
    canvas.DrawText(g.left + g.unit, g.FooterText(), texts.date, false);
    canvas.DrawTextRightAligned(g.right, g.FooterText(),
                                FormatText(texts.pageFormat, {page, PageCount()}));

    const std::size_t first = static_cast<std::size_t>(page - 1) * g.linesPerPage;
    const std::size_t end = std::min(m_lines.size(), first + g.linesPerPage);
    int y = g.top;
    for (std::size_t i = first; i < end; ++i, y += g.lineSpacing) {
        for (const CPrintRun &run : ParseRuns(m_lines[i]))
            canvas.DrawText(run.x, y, run.text, run.bold);
    }
}

QString CPrintListing::ValueOf(const CSettingNode *node) const
{
    return node ? node->GetDisplayValue(*m_names) : QString();
}

QString CPrintListing::ChildValue(const CSettingNode *entry, int type) const
{
    return ValueOf(entry->FindChild(type));
}

void CPrintListing::CollectItem(const CSettingNode *node, int depth, bool inSelection)
{
    if (IsTemplateType(node->GetType()))
        return;
    // A selected group or item is printed with the settings below it.
    inSelection = inSelection || (m_rangeMode == PrintRange::Selected && IsInRange(node));
    const bool printed = !node->IsDisabled() && (inSelection || IsInRange(node));
    const bool topLevel = !node->GetParent()->GetParent();
    const std::vector<const CSettingNode *> rows = RowChildren(node, false);
    if (printed) {
        AddItemLines(node, m_geometry.left + depth * m_geometry.unit, !rows.empty());
    }
    for (const CSettingNode *child : rows)
        CollectItem(child, depth + 1, inSelection);
    if (printed && topLevel)
        AddBlankLine();
}

bool CPrintListing::IsInRange(const CSettingNode *node) const
{
    switch (m_rangeMode) {
    case PrintRange::All:
        return true;
    case PrintRange::Selected:
        return m_selected && m_selected(node);
    default:
        return node->IsIncluded();
    }
}

void CPrintListing::AddItemLines(const CSettingNode *node, int x, bool hasRows)
{
    const CPageGeometry &g = m_geometry;
    const QString label = node->GetLabel(true);
    if (node->GetType() == NodeType::Script || node->GetType() == NodeType::Signature) {
        AddRun(label, false, x, g.right);
        AddRun(node->GetValue(), false, x + g.unit, g.right);
        return;
    }
    if (IsEntryListType(node->GetType())) {
        AddRun(label, true, x, g.right);
        AddListLines(node, x);
        AddBlankLine();
        return;
    }
    const int line = AddRun(label, hasRows, x, g.right);
    const QString value =
        node->GetEditorKind() == EditorKind::Password ? kHiddenPassword : ValueOf(node);
    if (!value.isEmpty())
        AddRun(value, false, g.valueColumn, g.right, line);
    if (!node->GetParent()->GetParent())
        AddBlankLine();
}

void CPrintListing::AddListLines(const CSettingNode *node, int x)
{
    for (const CSettingNode *entry : node->Children()) {
        switch (node->GetType()) {
        case NodeType::WWWBookmarks:
            AddEntryColumns(ChildValue(entry, NodeType::WWWBookmarkName),
                            ChildValue(entry, NodeType::WWWBookmarkURL), x, x);
            break;
        case NodeType::WAPBookmarks: {
            AddEntryColumns(ChildValue(entry, NodeType::WAPBookmarkName),
                            ChildValue(entry, NodeType::WAPBookmarkURL), x, x);
            const CApplication *application = entry->GetApplication();
            const std::pair<unsigned, QString> details[] = {
                {StringId::PrintWapConnection,
                 ChildValue(entry, NodeType::WAPBookmarkUseConnection)},
                {StringId::PrintUsername, ChildValue(entry, NodeType::WAPBookmarkUsername)},
                {StringId::PrintPassword, kHiddenPassword}};
            for (const auto &[labelId, value] : details)
                AddEntryColumns(LoadLabel(application, labelId, true), value, x + m_geometry.unit,
                                x);
            break;
        }
        case NodeType::Files:
            AddEntryColumns(ChildValue(entry, NodeType::FileLocal),
                            ChildValue(entry, NodeType::FileRemote), x, x);
            break;
        default:
            AddRun(ValueOf(entry), false, x + m_geometry.unit, m_geometry.right);
            break;
        }
    }
}

// Two columns of a list entry: the first one unit right of firstX, wrapped to
// end two spaces before the second, which starts ten units right of x.
void CPrintListing::AddEntryColumns(const QString &first, const QString &second, int firstX, int x)
{
    const int secondX = x + 10 * m_geometry.unit;
    const int line = AddRun(first, false, firstX + m_geometry.unit, secondX - 2 * m_spaceWidth);
    AddRun(second, false, secondX, m_geometry.right, line);
}

int CPrintListing::AddRun(QString text, bool bold, int x, int right, int line)
{
    text.remove(u'\r');
    text.replace(u'\t', QStringLiteral("        "));
    const IPrintMeasure &measure = *m_measure;
    WrapText(text, right - x,
             [&measure, bold](QStringView piece) { return measure.TextWidth(piece, bold); });
    if (line < 0) {
        if (bold)
            KeepHeadingOffPageFoot();
        line = static_cast<int>(m_lines.size());
    }
    std::size_t index = static_cast<std::size_t>(line);
    for (QStringView piece : QStringView(text).split(u'\n')) {
        if (index >= m_lines.size())
            m_lines.emplace_back();
        m_lines[index++] += FormatRun(bold, x, piece);
    }
    return line;
}

void CPrintListing::AddBlankLine()
{
    m_lines.push_back(FormatRun(false, 0, {}));
}

// A bold heading never stands on one of the last two lines of a page.
void CPrintListing::KeepHeadingOffPageFoot()
{
    const auto perPage = static_cast<std::size_t>(m_geometry.linesPerPage);
    if (perPage <= 2)
        return;
    while (m_lines.size() % perPage >= perPage - 2)
        AddBlankLine();
}

void CPrintListing::RemoveTrailingBlankLines()
{
    while (!m_lines.empty() && IsBlankLine(m_lines.back()))
        m_lines.pop_back();
}
