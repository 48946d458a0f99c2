#include "ui/editor/SettingsTreeCtrl.h"

#include "document/SettingsDocument.h"
#include "document/ValueEditing.h"
#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/MessagePort.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"
#include "ui/controls/ShownLabel.h"
#include "ui/controls/WaitCursorGuard.h"
#include "ui/editor/InPlaceEditing.h"
#include "ui/editor/SettingsRowDelegate.h"
#include "ui/editor/SettingsTreeModel.h"
#include "ui/editor/TreeRowLayout.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

bool IsModifierKey(int key)
{
    // Shift, Control, Meta, Alt, Caps Lock, Num Lock and Scroll Lock are one
    // run of key codes; dead keys wait for the character they change.
    return (key >= Qt::Key_Shift && key <= Qt::Key_ScrollLock) ||
           (key >= Qt::Key_Dead_Grave && key <= Qt::Key_Dead_Longsolidusoverlay) ||
           key == Qt::Key_Super_L || key == Qt::Key_Super_R || key == Qt::Key_Hyper_L ||
           key == Qt::Key_Hyper_R || key == Qt::Key_AltGr || key == Qt::Key_Mode_switch;
}

int Level(const QModelIndex &index)
{
    int level = 0;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        ++level;
    return level;
}

// The row numbers from the top down to index: rows compare in tree order.
std::vector<int> TreePath(const QModelIndex &index)
{
    std::vector<int> path;
    for (QModelIndex at = index; at.isValid(); at = at.parent())
        path.push_back(at.row());
    std::reverse(path.begin(), path.end());
    return path;
}

// Whether the key typed on a row of this editor kind opens its editor.
bool StartsEditing(int editorKind, const QKeyEvent *event)
{
    const QString text = event->text();
    if (event->key() == Qt::Key_Backspace)
        return StartsEditing(editorKind, QChar(u'\b'));
    return text.size() == 1 && StartsEditing(editorKind, text[0]);
}

bool IsPrintable(const QKeyEvent *event)
{
    const QString text = event->text();
    return !text.isEmpty() && text[0].isPrint();
}

} // namespace

CSettingsTreeCtrl::CSettingsTreeCtrl(const CTreeIcons::ImageLoader &loadImage, QWidget *parent)
    : QTreeView(parent)
    , m_icons(loadImage)
    , m_model(new CSettingsTreeModel(this))
    , m_delegate(new CSettingsRowDelegate(&m_icons, this))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setHeaderHidden(true);
    header()->setStretchLastSection(true);
    header()->setMinimumSectionSize(0);
    setIndentation(kIndent);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setExpandsOnDoubleClick(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_editing = new CInPlaceEditing(viewport());
    connect(m_editing, &CInPlaceEditing::focusReturned, this, &CSettingsTreeCtrl::CommitEdit);
    connect(m_editing, &CInPlaceEditing::valueCommitted, this, [this] { AfterValuesChanged(); });
    connect(m_editing, &CInPlaceEditing::helpRequested, this, &CSettingsTreeCtrl::helpRequested);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { CommitEdit(); });
    // An editor and the row state belong to the rows of the tree that goes.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_editing->CancelEdit(); });
    connect(m_model, &QAbstractItemModel::modelReset, this, &CSettingsTreeCtrl::AfterReset);
}

CSettingsTreeCtrl::~CSettingsTreeCtrl()
{
    m_editing->CancelEdit();
    if (m_document)
        m_document->RemoveObserver(m_model);
}

void CSettingsTreeCtrl::SetDocument(CSettingsDocument *document)
{
    if (m_document)
        m_document->RemoveObserver(m_model);
    m_document = document;
    m_editing->SetDocument(document);
    if (m_document)
        m_document->AddObserver(m_model);
    Fill(m_document ? m_document->GetRoot() : nullptr);
}

void CSettingsTreeCtrl::Fill(const CSettingNode *root)
{
    setUpdatesEnabled(false);
    m_model->SetRoot(root);
    setUpdatesEnabled(true);
}

void CSettingsTreeCtrl::AfterReset()
{
    m_anyIncluded.reset();
    m_anchor = QModelIndex();
    m_pressed = QModelIndex();
    m_mousePressed = QModelIndex();
    m_spacePressed = false;
    const QModelIndex first = m_model->index(0, 0);
    if (first.isValid())
        selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect |
                                                     QItemSelectionModel::Rows);
}

void CSettingsTreeCtrl::Clear()
{
    Fill(nullptr);
}

void CSettingsTreeCtrl::SetFontHeight(int height)
{
    m_delegate->SetItemHeight(height + height / 2);
    doItemsLayout();
}

const CSettingNode *CSettingsTreeCtrl::NodeAt(const QModelIndex &index) const
{
    return m_model->NodeAt(index);
}

QModelIndex CSettingsTreeCtrl::IndexOf(const CSettingNode *node) const
{
    return m_model->IndexOf(node);
}

bool CSettingsTreeCtrl::HasRows(const QModelIndex &index) const
{
    return m_model->hasChildren(index.siblingAtColumn(CSettingsTreeModel::LabelColumn));
}

bool CSettingsTreeCtrl::IsEnabledRow(const QModelIndex &index) const
{
    const CSettingNode *node = NodeAt(index);
    return node && !node->IsDisabled();
}

QModelIndex CSettingsTreeCtrl::CurrentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.siblingAtColumn(CSettingsTreeModel::LabelColumn)
                             : QModelIndex();
}

QRect CSettingsTreeCtrl::RowRect(const QModelIndex &index) const
{
    const QRect label = visualRect(index.siblingAtColumn(CSettingsTreeModel::LabelColumn));
    if (!index.isValid() || label.isEmpty())
        return {};
    return QRect(0, label.top(), viewport()->width(), label.height());
}

CTreeRowLayout CSettingsTreeCtrl::LayoutOf(const QModelIndex &index) const
{
    return CTreeRowLayout(RowRect(index), Level(index), indentation());
}

QRect CSettingsTreeCtrl::CheckIconRect(const QModelIndex &index) const
{
    return RowRect(index).isEmpty() ? QRect() : LayoutOf(index).CheckIcon();
}

QRect CSettingsTreeCtrl::ExpandIconRect(const QModelIndex &index) const
{
    return RowRect(index).isEmpty() ? QRect() : LayoutOf(index).ExpandIcon();
}

QRect CSettingsTreeCtrl::ValueRect(const QModelIndex &index) const
{
    return RowRect(index).isEmpty() ? QRect() : LayoutOf(index).ValueRect();
}

QModelIndex CSettingsTreeCtrl::RowAt(const QPoint &position) const
{
    const QModelIndex index = indexAt(QPoint(0, position.y()));
    return index.isValid() ? index.siblingAtColumn(CSettingsTreeModel::LabelColumn) : index;
}

CSettingsTreeCtrl::RowPart CSettingsTreeCtrl::PartAt(const QModelIndex &index,
                                                     const QPoint &position) const
{
    const CTreeRowLayout layout = LayoutOf(index);
    // The whole indentation column of an icon counts as the icon.
    if (layout.CheckColumn().contains(position))
        return RowPart::CheckIcon;
    if (HasRows(index) && layout.ExpandColumn().contains(position))
        return RowPart::ExpandIcon;
    return RowPart::Label;
}

void CSettingsTreeCtrl::drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    const QModelIndex row = index.siblingAtColumn(CSettingsTreeModel::LabelColumn);
    QStyleOptionViewItem rowOption = option;
    rowOption.rect = QRect(0, option.rect.top(), viewport()->width(), option.rect.height());
    rowOption.state &= ~(QStyle::State_Selected | QStyle::State_Sunken);
    if (selectionModel()->isSelected(row))
        rowOption.state |= QStyle::State_Selected;
    if (m_pressed.isValid() && row == m_pressed)
        rowOption.state |= QStyle::State_Sunken;
    m_delegate->paint(painter, rowOption, row);
}

void CSettingsTreeCtrl::InvalidateItem(const QModelIndex &index)
{
    const QRect rect = RowRect(index);
    if (!rect.isEmpty())
        viewport()->update(rect);
}

void CSettingsTreeCtrl::InvalidateCheckIcon(const QModelIndex &index)
{
    if (!RowRect(index).isEmpty())
        viewport()->update(LayoutOf(index).CheckColumn());
}

bool CSettingsTreeCtrl::BeginEdit(const QModelIndex &index, const QString &typed)
{
    const CSettingNode *node = NodeAt(index);
    if (!node)
        return false;
    const QModelIndex row = index.siblingAtColumn(CSettingsTreeModel::LabelColumn);
    selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect |
                                               QItemSelectionModel::Rows);
    // Scrolling commits, so the row is brought into view before its editor opens.
    scrollTo(row);
    const bool opened = m_editing->BeginEdit(node, ValueRect(row), typed);
    viewport()->update();
    return opened;
}

void CSettingsTreeCtrl::CommitEdit()
{
    if (!m_editing->EditNode() && !m_editing->IsEditing())
        return;
    m_editing->CommitEdit();
    AfterValuesChanged();
}

bool CSettingsTreeCtrl::IsTextEditing() const
{
    return m_editing->IsTextEditing();
}

void CSettingsTreeCtrl::AfterValuesChanged()
{
    m_anyIncluded.reset();
    viewport()->update();
}

void CSettingsTreeCtrl::ToggleInclude(const QModelIndex &index)
{
    const CSettingNode *node = NodeAt(index);
    if (!node || !m_document)
        return;
    m_anyIncluded.reset();
    m_document->ToggleInclude(node);
    viewport()->update();
}

bool CSettingsTreeCtrl::CanDelete() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return std::any_of(rows.begin(), rows.end(), [this](const QModelIndex &row) {
        const CSettingNode *node = NodeAt(row);
        return node && IsDeletableType(node->GetType());
    });
}

std::vector<const CSettingNode *> CSettingsTreeCtrl::SelectedItems() const
{
    // Tree order, with each row's path computed once.
    const QModelIndexList rows = selectionModel()->selectedRows();
    std::vector<std::pair<std::vector<int>, const CSettingNode *>> ordered;
    ordered.reserve(static_cast<size_t>(rows.size()));
    for (const QModelIndex &row : rows) {
        const CSettingNode *node = NodeAt(row);
        if (node && IsDeletableType(node->GetType()))
            ordered.emplace_back(TreePath(row), node);
    }
    std::sort(ordered.begin(), ordered.end());
    std::vector<const CSettingNode *> nodes;
    nodes.reserve(ordered.size());
    for (const auto &entry : ordered)
        nodes.push_back(entry.second);
    return nodes;
}

void CSettingsTreeCtrl::DeleteSelected(bool cut)
{
    CommitEdit();
    if (!m_document)
        return;
    const std::vector<const CSettingNode *> nodes = SelectedItems();
    if (nodes.empty() || (m_confirmDelete && !m_confirmDelete(nodes)))
        return;
    const QPersistentModelIndex before = indexAbove(CurrentRow());

    m_anyIncluded.reset();
    CWaitCursorGuard wait;
    // The selection goes first: Qt would otherwise adjust it row by row.
    selectionModel()->clearSelection();
    const bool deleted = cut ? m_document->CutNodes(nodes) : m_document->DeleteNodes(nodes);
    if (!deleted)
        ShowError(m_document->LastErrorText());
    if (before.isValid()) {
        const QModelIndex next = indexBelow(before);
        if (next.isValid())
            SelectOnly(next);
    }
    viewport()->update();
}

void CSettingsTreeCtrl::ShowError(const QString &text)
{
    const CApplication *application = m_document ? m_document->GetApplication() : nullptr;
    if (IMessagePort *port = application ? application->GetMessagePort() : nullptr) {
        port->ShowMessage(text, IMessagePort::Ok, IMessagePort::Warning);
        return;
    }
    QMessageBox::warning(this, ShownLabel(application, StringId::ViewName), text);
}

bool CSettingsTreeCtrl::AnyIncluded()
{
    if (!m_anyIncluded)
        m_anyIncluded = m_model->Root() && ::AnyIncluded(m_model->Root());
    return *m_anyIncluded;
}

void CSettingsTreeCtrl::SelectAll()
{
    QItemSelection all;
    std::vector<QModelIndex> parents{QModelIndex()};
    while (!parents.empty()) {
        const QModelIndex parent = parents.back();
        parents.pop_back();
        const int rows = m_model->rowCount(parent);
        if (rows == 0)
            continue;
        all.append(
            QItemSelectionRange(m_model->index(0, 0, parent), m_model->index(rows - 1, 1, parent)));
        for (int row = 0; row < rows; ++row)
            parents.push_back(m_model->index(row, 0, parent));
    }
    selectionModel()->select(all, QItemSelectionModel::ClearAndSelect);
    m_anchor = RowAt(QPoint(0, 0));
}

void CSettingsTreeCtrl::selectAll()
{
    SelectAll();
}

int CSettingsTreeCtrl::HelpContext() const
{
    const CSettingNode *node = NodeAt(CurrentRow());
    return ::HelpContext(node ? node : m_model->Root(), m_helpOverride);
}

void CSettingsTreeCtrl::SelectNode(const CSettingNode *node)
{
    const QModelIndex index = IndexOf(node);
    if (!index.isValid())
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        expand(parent);
    SelectOnly(index);
    scrollTo(index);
}

void CSettingsTreeCtrl::SelectOnly(const QModelIndex &index)
{
    m_anchor = QModelIndex();
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
}

void CSettingsTreeCtrl::SelectRange(const QModelIndex &from, const QModelIndex &to)
{
    // Walk down from one end; if the other end is not below, it is above.
    auto collect = [this](const QModelIndex &first, const QModelIndex &last) {
        std::vector<QModelIndex> rows;
        for (QModelIndex row = first; row.isValid(); row = indexBelow(row)) {
            rows.push_back(row);
            if (row == last)
                return rows;
        }
        return std::vector<QModelIndex>();
    };
    std::vector<QModelIndex> rows = collect(from, to);
    if (rows.empty())
        rows = collect(to, from);
    if (rows.empty())
        rows.push_back(to);
    QItemSelection selection;
    for (const QModelIndex &row : rows)
        selection.append(
            QItemSelectionRange(row, row.siblingAtColumn(CSettingsTreeModel::ValueColumn)));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void CSettingsTreeCtrl::ClickRow(const QModelIndex &index, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ControlModifier) {
        selectionModel()->select(index, QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
        m_anchor = index;
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    } else if (modifiers & Qt::ShiftModifier) {
        if (!m_anchor.isValid())
            m_anchor = CurrentRow().isValid() ? CurrentRow() : index;
        SelectRange(m_anchor, index);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    } else {
        SelectOnly(index);
    }
}

void CSettingsTreeCtrl::MoveCaret(bool down, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = CurrentRow();
    if (!current.isValid()) {
        const QModelIndex first = m_model->index(0, 0);
        if (first.isValid())
            SelectOnly(first);
        return;
    }
    const QModelIndex next = down ? indexBelow(current) : indexAbove(current);
    if (!next.isValid())
        return;
    if (modifiers & Qt::ShiftModifier) {
        if (!m_anchor.isValid())
            m_anchor = current;
        if (current == m_anchor)
            selectionModel()->clearSelection();
        // The row left behind keeps its mark only while it lies between the
        // anchor and the new caret, that is while the caret moves away.
        const int anchorY = visualRect(m_anchor).top();
        const int leftY = visualRect(current).top();
        const int nextY = visualRect(next).top();
        const bool between =
            (anchorY <= leftY && leftY <= nextY) || (nextY <= leftY && leftY <= anchorY);
        selectionModel()->select(
            current, (between ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                         QItemSelectionModel::Rows);
        selectionModel()->select(next, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        selectionModel()->setCurrentIndex(next, QItemSelectionModel::NoUpdate);
    } else if (modifiers & Qt::ControlModifier) {
        m_anchor = current;
        selectionModel()->setCurrentIndex(next, QItemSelectionModel::NoUpdate);
    } else {
        SelectOnly(next);
    }
    scrollTo(next);
}

void CSettingsTreeCtrl::SetPressed(const QModelIndex &index)
{
    const QModelIndex previous = m_pressed;
    m_pressed = index;
    InvalidateCheckIcon(previous);
    InvalidateCheckIcon(index);
}

void CSettingsTreeCtrl::ToggleExpanded(const QModelIndex &index)
{
    setExpanded(index, !isExpanded(index));
}

void CSettingsTreeCtrl::keyPressEvent(QKeyEvent *event)
{
    // A modifier pressed on its own while typing in the editor reaches the
    // tree because the editor ignores it; it belongs to the typing.
    if (m_editing->IsEditing() && IsModifierKey(event->key()))
        return;
    CommitEdit();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool ctrl = modifiers & Qt::ControlModifier;
    const QModelIndex current = CurrentRow();
    switch (event->key()) {
    case Qt::Key_Shift:
        if (!m_anchor.isValid())
            m_anchor = current;
        return;
    case Qt::Key_Control:
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (current.isValid() && HasRows(current) && IsEnabledRow(current))
            ToggleExpanded(current);
        else if (current.isValid())
            BeginEdit(current);
        return;
    case Qt::Key_F2:
        if (current.isValid())
            BeginEdit(current);
        return;
    case Qt::Key_F1:
        emit helpRequested(HelpContext());
        return;
    case Qt::Key_F5:
        emit sendRequested();
        return;
    case Qt::Key_N:
        if (ctrl) {
            emit newRequested();
            return;
        }
        break;
    case Qt::Key_P:
        if (ctrl) {
            emit printRequested();
            return;
        }
        break;
    case Qt::Key_Space:
        if (event->isAutoRepeat() || !current.isValid())
            return;
        if (ctrl) {
            selectionModel()->select(current,
                                     QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
            m_anchor = current;
        } else if (IsEnabledRow(current)) {
            m_spacePressed = true;
            SetPressed(current);
        }
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        MoveCaret(event->key() == Qt::Key_Down, modifiers);
        return;
    case Qt::Key_Right:
        m_mousePressed = QModelIndex();
        SetPressed(QModelIndex());
        if (current.isValid() && !IsEnabledRow(current))
            return;
        PassToView(event);
        return;
    default:
        break;
    }
    const bool commandKey = modifiers & (Qt::ControlModifier | Qt::AltModifier);
    if (!commandKey && current.isValid() &&
        StartsEditing(NodeAt(current)->GetEditorKind(), event)) {
        BeginEdit(current,
                  event->key() == Qt::Key_Backspace ? QString(QChar(u'\b')) : event->text());
        return;
    }
    // Typed characters never reach the view, which would search by them.
    if (!commandKey && IsPrintable(event))
        return;
    PassToView(event);
}

void CSettingsTreeCtrl::PassToView(QKeyEvent *event)
{
    const QModelIndex before = CurrentRow();
    QTreeView::keyPressEvent(event);
    if (CurrentRow() != before)
        m_anchor = QModelIndex();
}

QItemSelectionModel::SelectionFlags CSettingsTreeCtrl::selectionCommand(const QModelIndex &index,
                                                                        const QEvent *event) const
{
    // Keys left to the view move the caret as a plain click does; the
    // control makes its multi-selection itself.
    if (event && event->type() == QEvent::KeyPress)
        return index.isValid() ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                               : QItemSelectionModel::NoUpdate;
    return QTreeView::selectionCommand(index, event);
}

void CSettingsTreeCtrl::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Space || event->isAutoRepeat()) {
        QTreeView::keyReleaseEvent(event);
        return;
    }
    if (!m_spacePressed)
        return;
    m_spacePressed = false;
    const QModelIndex pressed = m_pressed;
    SetPressed(QModelIndex());
    const QModelIndex current = CurrentRow();
    if (!(event->modifiers() & Qt::ControlModifier) && pressed.isValid() && pressed == current)
        ToggleInclude(current);
}

void CSettingsTreeCtrl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    CommitEdit();
    const QPoint position = event->position().toPoint();
    const QModelIndex index = RowAt(position);
    if (!index.isValid())
        return;
    // Qt keeps the mouse grabbed by the viewport until the button is released.
    switch (PartAt(index, position)) {
    case RowPart::CheckIcon:
        if (IsEnabledRow(index)) {
            m_mousePressed = index;
            SetPressed(index);
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        }
        return;
    case RowPart::ExpandIcon:
        if (IsEnabledRow(index)) {
            ToggleExpanded(index);
            SelectOnly(index);
            return;
        }
        break;
    case RowPart::Label:
        break;
    }
    ClickRow(index, event->modifiers());
}

void CSettingsTreeCtrl::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_mousePressed.isValid())
        return;
    const bool overRow = RowAt(event->position().toPoint()) == m_mousePressed;
    const QModelIndex pressed = overRow ? QModelIndex(m_mousePressed) : QModelIndex();
    if (pressed != m_pressed)
        SetPressed(pressed);
}

void CSettingsTreeCtrl::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_mousePressed.isValid())
        return;
    const QModelIndex target = m_mousePressed;
    m_mousePressed = QModelIndex();
    SetPressed(QModelIndex());
    if (RowAt(event->position().toPoint()) == target)
        ToggleInclude(target);
}

void CSettingsTreeCtrl::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint position = event->position().toPoint();
    const QModelIndex index = RowAt(position);
    if (!index.isValid())
        return;
    // A quick second click on the check icon, or with a modifier, counts as
    // a click of its own.
    if ((event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) ||
        PartAt(index, position) == RowPart::CheckIcon) {
        mousePressEvent(event);
        return;
    }
    CommitEdit();
    if (!IsEnabledRow(index))
        return;
    if (HasRows(index))
        ToggleExpanded(index);
    else
        BeginEdit(index);
}

void CSettingsTreeCtrl::focusInEvent(QFocusEvent *event)
{
    QTreeView::focusInEvent(event);
    viewport()->update();
}

void CSettingsTreeCtrl::focusOutEvent(QFocusEvent *event)
{
    QTreeView::focusOutEvent(event);
    viewport()->update();
}

void CSettingsTreeCtrl::resizeEvent(QResizeEvent *event)
{
    QTreeView::resizeEvent(event);
    header()->resizeSection(CSettingsTreeModel::LabelColumn, (viewport()->width() / 3) * 2);
    if (const CSettingNode *node = m_editing->EditNode())
        m_editing->MoveEditor(ValueRect(IndexOf(node)));
}
