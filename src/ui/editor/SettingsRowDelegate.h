#pragma once

#include <QStyledItemDelegate>

class CSettingNode;
class CTreeIcons;

// Draws a whole row of the settings tree from its label index: connecting
// lines, check icon, expand icon, label and value. It is handed a row
// rectangle across the client width by the tree, with State_Selected for a
// selected row and State_Sunken for the pressed row; focus, caret, expansion
// and indentation come from the tree view itself. Every colour is a palette
// role, so light and dark palettes both read well.
class CSettingsRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int kInitialItemHeight = 23;

    CSettingsRowDelegate(const CTreeIcons *icons, QObject *parent = nullptr);

    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int height) { m_itemHeight = height; }

    // The image identifier of the check icon a row shows.
    static unsigned CheckIconId(const CSettingNode *node, bool pressed, bool hasChildren);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;

private:
    const CTreeIcons *m_icons;
    int m_itemHeight = kInitialItemHeight;
};
