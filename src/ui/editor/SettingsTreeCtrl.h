#pragma once

#include "document/IncludeToggle.h"
#include "ui/editor/TreeIcons.h"

#include <QPersistentModelIndex>
#include <QTreeView>

#include <functional>
#include <optional>
#include <vector>

class CInPlaceEditing;
class CSettingNode;
class CSettingsDocument;
class CSettingsRowDelegate;
class CSettingsTreeModel;
class CTreeRowLayout;

// The settings tree as the administrator sees and edits it: one row per
// node with its include check icon, label and value. The control keeps its
// own multi-selection with an anchor, toggles include flags by mouse and
// Space through the include rules, and opens the in-place editors over the
// value column. It only maps rows to nodes and hands every change to the
// document, whose reports keep the rows up to date.
class CSettingsTreeCtrl : public QTreeView
{
    Q_OBJECT

public:
    static constexpr int kIndent = 20;

    explicit CSettingsTreeCtrl(const CTreeIcons::ImageLoader &loadImage, QWidget *parent = nullptr);
    ~CSettingsTreeCtrl() override;

    // The document whose tree the control shows and edits; set once, before
    // the first fill. The control follows the document's change reports.
    void SetDocument(CSettingsDocument *document);
    CSettingsDocument *Document() const { return m_document; }
    // Shows the rows below root with the first row selected; a document set
    // here is followed through its reports, a replaced tree too. Clear
    // before a tree shown without a document is destroyed.
    void Fill(const CSettingNode *root);
    void Clear();
    // The view's line height; rows are half as high again.
    void SetFontHeight(int height);

    bool BeginEdit(const QModelIndex &index, const QString &typed = QString());
    void CommitEdit();
    bool IsTextEditing() const;

    void ToggleInclude(const QModelIndex &index);
    bool CanDelete() const;
    // The selected items that can be deleted, in tree order.
    std::vector<const CSettingNode *> SelectedItems() const;
    // Deletes the selected items (cut: named as cut in the undo history),
    // once the confirmation, when there is one, agrees.
    void DeleteSelected(bool cut = false);
    using DeleteConfirmation = std::function<bool(const std::vector<const CSettingNode *> &)>;
    void SetDeleteConfirmation(DeleteConfirmation confirm) { m_confirmDelete = std::move(confirm); }
    bool AnyIncluded();
    void SelectAll();
    // Makes node's row the only selected one, its parents opened to show it.
    void SelectNode(const CSettingNode *node);
    int HelpContext() const;
    // While the print preview is open, help is about the preview.
    void SetHelpOverride(bool helpOverride) { m_helpOverride = helpOverride; }
    void InvalidateItem(const QModelIndex &index);
    void InvalidateCheckIcon(const QModelIndex &index);

    CSettingsTreeModel *Model() const { return m_model; }
    CInPlaceEditing *Editing() const { return m_editing; }
    const CSettingNode *NodeAt(const QModelIndex &index) const;
    QModelIndex IndexOf(const CSettingNode *node) const;
    QModelIndex Anchor() const { return m_anchor; }
    QModelIndex PressedIndex() const { return m_pressed; }

    // Parts of a shown row in viewport coordinates; empty for a row that is
    // not laid out.
    QRect RowRect(const QModelIndex &index) const;
    QRect CheckIconRect(const QModelIndex &index) const;
    QRect ExpandIconRect(const QModelIndex &index) const;
    QRect ValueRect(const QModelIndex &index) const;

public slots:
    void selectAll() override;

signals:
    void helpRequested(int context);
    void sendRequested();
    void newRequested();
    void printRequested();

protected:
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                 const QModelIndex &index) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;

private:
    enum class RowPart { Label, CheckIcon, ExpandIcon };

    CTreeRowLayout LayoutOf(const QModelIndex &index) const;
    QModelIndex RowAt(const QPoint &position) const;
    RowPart PartAt(const QModelIndex &index, const QPoint &position) const;
    bool HasRows(const QModelIndex &index) const;
    bool IsEnabledRow(const QModelIndex &index) const;
    QModelIndex CurrentRow() const;

    void ClickRow(const QModelIndex &index, Qt::KeyboardModifiers modifiers);
    void SelectOnly(const QModelIndex &index);
    void SelectRange(const QModelIndex &from, const QModelIndex &to);
    void MoveCaret(bool down, Qt::KeyboardModifiers modifiers);
    void SetPressed(const QModelIndex &index);
    void ToggleExpanded(const QModelIndex &index);
    void PassToView(QKeyEvent *event);
    void AfterValuesChanged();
    void AfterReset();
    void ShowError(const QString &text);

    CTreeIcons m_icons;
    CSettingsDocument *m_document = nullptr;
    CSettingsTreeModel *m_model;
    CSettingsRowDelegate *m_delegate;
    CInPlaceEditing *m_editing;
    QPersistentModelIndex m_pressed;
    QPersistentModelIndex m_mousePressed;
    QPersistentModelIndex m_anchor;
    bool m_spacePressed = false;
    std::optional<bool> m_anyIncluded;
    bool m_helpOverride = false;
    DeleteConfirmation m_confirmDelete;
};
