#include "ui/editor/SettingsRowDelegate.h"

#include "document/IncludeToggle.h"
#include "settings/SettingNode.h"
#include "ui/editor/RowColors.h"
#include "ui/editor/SettingsTreeModel.h"
#include "ui/editor/TreeIconIds.h"
#include "ui/editor/TreeIcons.h"
#include "ui/editor/TreeRowLayout.h"

#include <QPainter>
#include <QTreeView>

namespace {

int Level(const QModelIndex &index)
{
    int level = 0;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        ++level;
    return level;
}

bool IsLastRow(const QModelIndex &index)
{
    return index.row() == index.model()->rowCount(index.parent()) - 1;
}

void DrawText(QPainter *painter, const QRect &rect, const QString &text)
{
    if (rect.width() <= 0)
        return;
    const QString shown = painter->fontMetrics().elidedText(text, Qt::ElideRight, rect.width());
    painter->drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

} // namespace

CSettingsRowDelegate::CSettingsRowDelegate(const CTreeIcons *icons, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_icons(icons)
{}

unsigned CSettingsRowDelegate::CheckIconId(const CSettingNode *node, bool pressed, bool hasChildren)
{
    if (pressed)
        return node->IsMandatoryInIncludedParent() ? TreeIconId::MandatoryPressed
                                                   : TreeIconId::Pressed;
    // The disabled test runs first even where the partly-checked icon wins:
    // asking it excludes a disabled node.
    unsigned id = TreeIconId::Unchecked;
    if (node->IsIncluded()) {
        if (node->IsDisabled())
            id = TreeIconId::CheckedDisabled;
        else
            id = node->IsMandatoryInIncludedParent() ? TreeIconId::MandatoryChecked
                                                     : TreeIconId::Checked;
    } else if (node->IsDisabled()) {
        id = TreeIconId::UncheckedDisabled;
    }
    return hasChildren && IsPartlyIncluded(node) ? unsigned(TreeIconId::PartlyChecked) : id;
}

void CSettingsRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    const auto *model = qobject_cast<const CSettingsTreeModel *>(index.model());
    const auto *tree = qobject_cast<const QTreeView *>(option.widget);
    const CSettingNode *node = model ? model->NodeAt(index) : nullptr;
    if (!node || !tree || index.column() != CSettingsTreeModel::LabelColumn)
        return;

    const QPalette &palette = option.palette;
    const int level = Level(index);
    const CTreeRowLayout row(option.rect, level, tree->indentation());
    const bool hasChildren = model->hasChildren(index);
    const bool expanded = hasChildren && tree->isExpanded(index);
    const bool treeFocus = tree->hasFocus();
    const bool selected = option.state & QStyle::State_Selected;
    const bool pressed = option.state & QStyle::State_Sunken;

    painter->save();

    // Connecting lines: through every ancestor level that has rows below,
    // into the row's own icon, and down to its children when expanded.
    painter->setPen(QPen(TreeLineColor(palette), 0));
    QModelIndex ancestor = index.parent();
    for (int k = level - 1; k >= 0; --k, ancestor = ancestor.parent()) {
        if (!IsLastRow(ancestor))
            painter->drawLine(row.LineX(k), row.Top(), row.LineX(k), row.Bottom() - 1);
    }
    const bool firstRow = level == 0 && index.row() == 0;
    const int lineTop = firstRow ? row.Middle() : row.Top();
    const int lineBottom = IsLastRow(index) ? row.Middle() : row.Bottom() - 1;
    painter->drawLine(row.LineX(level), lineTop, row.LineX(level), lineBottom);
    painter->drawLine(row.LineX(level), row.Middle(), row.LineEndX(), row.Middle());
    if (expanded)
        painter->drawLine(row.LineX(level + 1), row.Middle(), row.LineX(level + 1),
                          row.Bottom() - 1);

    const QRect checkIcon = row.CheckIcon();
    painter->fillRect(checkIcon.adjusted(1, 1, -1, -1), palette.color(QPalette::Base));
    if (m_icons) {
        m_icons->Icon(CheckIconId(node, pressed, hasChildren)).paint(painter, checkIcon);
        if (hasChildren)
            m_icons->Icon(expanded ? TreeIconId::Expanded : TreeIconId::Collapsed)
                .paint(painter, row.ExpandIcon());
    }

    const QRect band = row.Band();
    const CRowColors colours = RowColors(palette, node->IsDisabled(), selected, treeFocus);
    if (colours.background.isValid())
        painter->fillRect(band, colours.background);
    painter->setPen(colours.text);

    const QString value = index.siblingAtColumn(CSettingsTreeModel::ValueColumn).data().toString();
    QFont labelFont = option.font;
    labelFont.setBold(hasChildren);
    painter->setFont(labelFont);
    // A row with children and no value may use the value column for its label.
    const int labelRight = hasChildren && value.isEmpty() ? band.right() : row.LeafLabelRight();
    DrawText(painter,
             QRect(row.LabelLeft(), row.Top(), labelRight - row.LabelLeft(), option.rect.height()),
             index.data().toString());
    painter->setFont(option.font);
    DrawText(painter, row.ValueRect(), value);

    if (treeFocus && tree->currentIndex() == index) {
        QStyleOptionFocusRect focus;
        focus.initFrom(tree);
        focus.rect = band;
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor = palette.color(selected ? QPalette::Highlight : QPalette::Base);
        tree->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, tree);
    }
    painter->restore();
}

QSize CSettingsRowDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return QSize(0, m_itemHeight);
}

QWidget *CSettingsRowDelegate::createEditor(QWidget *, const QStyleOptionViewItem &,
                                            const QModelIndex &) const
{
    // Values are edited by the tree's in-place editing, never by the view.
    return nullptr;
}
