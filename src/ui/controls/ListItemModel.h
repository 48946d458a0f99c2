#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

// The rows of a CListCtrlEx: a text per column, and per row the caller's item
// data, an icon and a check state. Column 0 holds the rows' labels.
class CListItemModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CListItemModel(QObject *parent = nullptr);

    int InsertColumn(int column, const QString &heading, Qt::Alignment format);
    bool DeleteColumn(int column);
    QString Heading(int column) const;
    Qt::Alignment Format(int column) const;

    int InsertRow(int row, const QString &label);
    bool SetText(int row, int column, const QString &text);
    QString Text(int row, int column) const;
    QStringList ColumnTexts(int column) const;
    bool SetRowData(int row, const QVariant &itemData);
    QVariant RowData(int row) const;
    bool SetRowIcon(int row, const QIcon &icon);
    QIcon RowIcon(int row) const;
    // Once any row has an icon, every row keeps room for one.
    bool HasIcons() const { return m_hasIcons; }

    void SetCheckBoxes(bool shown);
    bool HasCheckBoxes() const { return m_checkBoxes; }
    bool SetChecked(int row, bool checked);
    bool IsChecked(int row) const;

    // Moves column from to stand before the column at to (to may be the column
    // count); moving onto itself or onto the next column changes nothing.
    bool MoveColumn(int from, int to);
    // order[i] is the row that becomes row i.
    void Reorder(const std::vector<int> &order);
    void Clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;

private:
    struct Column
    {
        QString heading;
        Qt::Alignment format;
    };
    struct Row
    {
        QStringList texts;
        QVariant data;
        QIcon icon;
        bool checked = false;
    };

    bool IsRow(int row) const { return row >= 0 && row < rowCount(); }
    bool IsColumn(int column) const { return column >= 0 && column < columnCount(); }

    std::vector<Column> m_columns;
    std::vector<Row> m_rows;
    bool m_checkBoxes = false;
    bool m_hasIcons = false;
};
