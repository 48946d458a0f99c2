#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <QTreeView>
#include <QVariant>

#include <functional>

class CListItemModel;

// The report list of the list dialogs: rows of texts under a header, with
// typed sorting by header click, automatic column widths, columns reordered
// by dragging their headers, check boxes, a selection highlight drawn in one
// of three modes, and a redraw lock that all lists share. Column 0 holds the
// rows' labels; each row carries the caller's item data.
//
// Selection modes (SetSelectionMode): 0 highlights the label of column 0,
// 1 the row from the label to the last column's right edge, 2 from the label
// to the right edge of the list. The highlight uses the palette's highlight
// colours while the list has the focus and its button colours otherwise.
class CListCtrlEx : public QTreeView
{
    Q_OBJECT

public:
    enum SortHow : int { SortToggle = 0, SortAscending = 1, SortDescending = 2 };
    static constexpr int kHighestSelectionMode = 2;
    // An automatic width leaves this many space widths around the text.
    static constexpr int kAutoWidthSpaces = 6;
    static constexpr int kSmallIconWidth = 16;
    static constexpr int kStateImageWidth = 16;
    // A header double click this close to a divider sizes its column.
    static constexpr int kDividerReach = 8;

    explicit CListCtrlEx(QWidget *parent = nullptr);
    ~CListCtrlEx() override;

    // A width below 0 keeps the header's default width. Returns the index.
    int InsertColumn(int column, const QString &heading, Qt::Alignment format = Qt::AlignLeft,
                     int width = -1);
    bool DeleteColumn(int column);
    int GetColumnCount() const;

    // Returns the row's index.
    int InsertItem(int row, const QString &label, const QIcon &icon = QIcon());
    bool SetItemText(int row, int column, const QString &text);
    QString GetItemText(int row, int column) const;
    bool SetItemData(int row, const QVariant &itemData);
    QVariant GetItemData(int row) const;
    int GetItemCount() const;
    // Drops the row's selection and focus first, so that neither moves on to
    // another row.
    bool DeleteItem(int row);
    void DeleteAllItems();

    void SetCheckBoxes(bool shown);
    bool GetCheck(int row) const;
    bool SetCheck(int row, bool checked);

    // In ascending order.
    QList<int> GetSelectedRows() const;
    // -1 when no row has the focus.
    int GetFocusedRow() const;
    // Selects and focuses row alone and scrolls it into view.
    void SelectOnly(int row);
    // Selects the rows whose item data chosen accepts, focuses the first of
    // them and scrolls it into view; the selection is cleared when none is.
    void SelectRowsWhere(const std::function<bool(const QVariant &itemData)> &chosen);

    // Modes above 2 are ignored. Returns the previous mode.
    int SetSelectionMode(int mode);
    int GetSelectionMode() const { return m_selectionMode; }
    // Sorting by header click. Returns the previous flag.
    bool EnableSort(bool enable);
    // One CListColumnTypes::Type per column; columns without one sort as text.
    // Any type above 6 leaves the list without types and returns false.
    bool SetColumnTypes(const QList<int> &types);
    QList<int> GetColumnTypes() const { return m_columnTypes; }
    // SortToggle reverses the direction when column is already the sort column
    // and sorts ascending otherwise.
    void SortByColumn(int column, int how);
    int GetSortColumn() const { return m_sortColumn; }
    bool IsSortAscending() const { return m_ascending; }

    // Every column but the last as wide as its widest text, header included;
    // the last takes the rest of the list's width.
    void AutoSizeColumns();
    void AutoSizeColumn(int column);
    // The last column takes the rest of the list's width, at least its
    // header's, and keeps doing so as the list or the other columns change
    // width, until the user sizes it.
    void SetLastColumnAutoSize();
    // Nested: painting of every locked list resumes with the last unlock.
    void LockRedraw(bool lock);
    // Moves column from to stand before the column at to (to may be the column
    // count); its heading, format, width, texts and type go with it.
    bool MoveColumn(int from, int to);

    // The width AutoSizeColumn gives a column that is not the last.
    int ContentWidth(int column) const;
    CListItemModel *Model() const { return m_model; }

protected:
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                 const QModelIndex &index) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void selectionChanged(const QItemSelection &selected,
                          const QItemSelection &deselected) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    int SpaceWidth() const;
    // Room at the left of column 0 for the check box and the icon.
    int LabelOffset() const;
    QRect StateImageRect(int top, int height) const;
    int HeaderWidth(int column) const;
    void ResizeColumn(int column, int width);
    void FitLastColumn();
    int DividerAt(int x) const;
    void UpdateRowStrips(const QItemSelection &rows);
    void HandleSectionMoved(int logical, int oldVisual, int newVisual);
    void HandleSectionResized(int logical);

    CListItemModel *m_model;
    int m_selectionMode = 0;
    bool m_sortEnabled = false;
    QList<int> m_columnTypes;
    int m_sortColumn = -1;
    bool m_ascending = true;
    bool m_lastColumnFills = false;
    // Set while the list itself sizes or moves sections.
    bool m_sizing = false;
    bool m_undoingMove = false;
};
