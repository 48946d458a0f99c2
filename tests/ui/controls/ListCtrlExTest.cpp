#include "ui/controls/ListCtrlEx.h"
#include "ui/controls/ListColumnTypes.h"
#include "ui/controls/RedrawLock.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Type = CListColumnTypes::Type;

// A shown list of three columns (name, size, date) in an active window.
class ListCtrlExTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_list.resize(420, 220);
        m_list.InsertColumn(0, "Name", Qt::AlignLeft, 100);
        m_list.InsertColumn(1, "Size", Qt::AlignRight, 80);
        m_list.InsertColumn(2, "Changed", Qt::AlignLeft, 120);
        m_list.show();
        QApplication::setActiveWindow(&m_list);
        m_list.setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_list));
    }

    void Fill(const QList<QStringList> &rows)
    {
        m_list.DeleteAllItems();
        for (int row = 0; row < rows.size(); ++row) {
            m_list.InsertItem(row, rows[row].value(0));
            for (int column = 1; column < rows[row].size(); ++column)
                m_list.SetItemText(row, column, rows[row][column]);
            m_list.SetItemData(row, row);
        }
    }

    QStringList Column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < m_list.GetItemCount(); ++row)
            texts.append(m_list.GetItemText(row, column));
        return texts;
    }

    QList<int> ItemData() const
    {
        QList<int> data;
        for (int row = 0; row < m_list.GetItemCount(); ++row)
            data.append(m_list.GetItemData(row).toInt());
        return data;
    }

    QHeaderView *Header() const { return m_list.header(); }

    QPoint HeaderPoint(int column, int fromLeft = -1) const
    {
        const int left = Header()->sectionViewportPosition(column);
        const int x = fromLeft < 0 ? left + Header()->sectionSize(column) / 2 : left + fromLeft;
        return {x, Header()->height() / 2};
    }

    void ClickHeader(int column)
    {
        QTest::mouseClick(Header()->viewport(), Qt::LeftButton, {}, HeaderPoint(column));
    }

    void DoubleClickHeaderAt(int x)
    {
        QTest::mouseDClick(Header()->viewport(), Qt::LeftButton, {}, {x, Header()->height() / 2});
    }

    int DividerX(int column) const
    {
        return Header()->sectionViewportPosition(column) + Header()->sectionSize(column);
    }

    QList<int> Widths() const
    {
        QList<int> widths;
        for (int column = 0; column < m_list.GetColumnCount(); ++column)
            widths.append(m_list.columnWidth(column));
        return widths;
    }

    QRect RowRect(int row) const { return m_list.visualRect(m_list.model()->index(row, 0)); }

    CListCtrlEx m_list;
};

int TextWidth(const QWidget &widget, const QString &text)
{
    return widget.fontMetrics().horizontalAdvance(text);
}

int Spaces(const QWidget &widget, int count)
{
    return count * widget.fontMetrics().horizontalAdvance(u' ');
}

} // namespace

TEST_F(ListCtrlExTest, HeaderClicksSortAscendingThenDescendingAndAnotherColumnAscending)
{
    Fill({{"pear", "10"}, {"Apple", "9"}, {"fig", "100"}});
    ClickHeader(0);
    EXPECT_EQ(Column(0), QStringList({"pear", "Apple", "fig"})) << "sorting is off at first";
    EXPECT_EQ(m_list.GetSortColumn(), -1);

    EXPECT_FALSE(m_list.EnableSort(true));
    ClickHeader(0);
    EXPECT_EQ(Column(0), QStringList({"Apple", "fig", "pear"}));
    EXPECT_EQ(ItemData(), QList<int>({1, 2, 0})) << "item data goes with its row";
    EXPECT_EQ(Column(1), QStringList({"9", "100", "10"}));
    EXPECT_EQ(Header()->sortIndicatorSection(), 0);
    EXPECT_EQ(Header()->sortIndicatorOrder(), Qt::AscendingOrder);

    ClickHeader(0);
    EXPECT_EQ(Column(0), QStringList({"pear", "fig", "Apple"}));
    EXPECT_FALSE(m_list.IsSortAscending());
    EXPECT_EQ(Header()->sortIndicatorOrder(), Qt::DescendingOrder);

    ClickHeader(1);
    EXPECT_EQ(Column(1), QStringList({"10", "100", "9"})) << "without types: text";
    EXPECT_EQ(m_list.GetSortColumn(), 1);
    EXPECT_TRUE(m_list.IsSortAscending());

    ASSERT_TRUE(m_list.SetColumnTypes({Type::TextNoCase, Type::Integer}));
    m_list.SortByColumn(1, CListCtrlEx::SortDescending);
    EXPECT_EQ(Column(1), QStringList({"100", "10", "9"}));
    m_list.SortByColumn(1, CListCtrlEx::SortDescending);
    EXPECT_EQ(Column(1), QStringList({"100", "10", "9"})) << "an explicit direction never toggles";
    m_list.SortByColumn(1, CListCtrlEx::SortToggle);
    EXPECT_EQ(Column(1), QStringList({"9", "10", "100"}));
    m_list.SortByColumn(1, CListCtrlEx::SortAscending);
    EXPECT_EQ(Column(1), QStringList({"9", "10", "100"}));

    EXPECT_TRUE(m_list.EnableSort(false));
    ClickHeader(0);
    EXPECT_EQ(m_list.GetSortColumn(), 1) << "a click with sorting off sorts nothing";
}

TEST_F(ListCtrlExTest, ColumnTypesOrderTheRowsInTheListsLocale)
{
    // Dates are read in the list's own locale.
    m_list.setLocale(QLocale(QLocale::German, QLocale::Germany));
    const struct
    {
        int type;
        QStringList cells;
        QStringList ascending; // the cells after an ascending sort
        QStringList descending;
    } cases[] = {
        {Type::Text, {"b", "B", "a"}, {"B", "a", "b"}, {"b", "a", "B"}},
        {Type::Integer, {"20", "3", "-4"}, {"-4", "3", "20"}, {"20", "3", "-4"}},
        {Type::DateTime,
         {"05.01.2024", "31.12.2023 23:59", "5.1.2024 08:00"},
         {"31.12.2023 23:59", "05.01.2024", "5.1.2024 08:00"},
         {"5.1.2024 08:00", "05.01.2024", "31.12.2023 23:59"}},
        {Type::Unordered, {"b", "c", "a"}, {"b", "c", "a"}, {"b", "c", "a"}},
    };
    for (const auto &c : cases) {
        Fill({{"r0", c.cells[0]}, {"r1", c.cells[1]}, {"r2", c.cells[2]}});
        ASSERT_TRUE(m_list.SetColumnTypes({Type::Text, c.type}));
        m_list.SortByColumn(1, CListCtrlEx::SortAscending);
        EXPECT_EQ(Column(1), c.ascending) << "type " << c.type;
        m_list.SortByColumn(1, CListCtrlEx::SortDescending);
        EXPECT_EQ(Column(1), c.descending) << "type " << c.type;
    }
}

TEST_F(ListCtrlExTest, ColumnTypesWithATypeAboveSixLeaveEveryColumnSortingAsText)
{
    Fill({{"10"}, {"9"}, {"100"}});
    ASSERT_TRUE(m_list.SetColumnTypes({Type::Integer}));
    m_list.SortByColumn(0, CListCtrlEx::SortAscending);
    EXPECT_EQ(Column(0), QStringList({"9", "10", "100"}));

    EXPECT_FALSE(m_list.SetColumnTypes({Type::Integer, 7}));
    EXPECT_TRUE(m_list.GetColumnTypes().isEmpty());
    m_list.SortByColumn(0, CListCtrlEx::SortAscending);
    EXPECT_EQ(Column(0), QStringList({"10", "100", "9"}));
    EXPECT_FALSE(m_list.SetColumnTypes({-1}));
}

TEST(ListCtrlExRedraw, PaintingOfEveryLockedListResumesWithTheLastUnlock)
{
    CListCtrlEx first;
    CListCtrlEx second;
    ASSERT_EQ(CRedrawLock::Count(), 0);

    first.LockRedraw(true);
    first.LockRedraw(true);
    EXPECT_FALSE(first.updatesEnabled());
    EXPECT_TRUE(second.updatesEnabled());
    second.LockRedraw(true);
    EXPECT_FALSE(second.updatesEnabled());
    EXPECT_EQ(CRedrawLock::Count(), 3);

    first.LockRedraw(false);
    second.LockRedraw(false);
    EXPECT_FALSE(first.updatesEnabled());
    EXPECT_FALSE(second.updatesEnabled());
    first.LockRedraw(false);
    EXPECT_TRUE(first.updatesEnabled());
    EXPECT_TRUE(second.updatesEnabled());

    first.LockRedraw(false);
    EXPECT_EQ(CRedrawLock::Count(), 0) << "an extra unlock keeps the count at 0";
    second.LockRedraw(true);
    EXPECT_FALSE(second.updatesEnabled()) << "after extra unlocks one lock suspends again";
    second.LockRedraw(false);
    EXPECT_TRUE(second.updatesEnabled());
}

TEST_F(ListCtrlExTest, AutomaticWidthsFitTheTextsAndTheLastColumnTakesTheRest)
{
    const QString longName = "a rather long file name.txt";
    Fill({{"a.txt", "12"}, {longName, "7"}, {"b.txt", "123456789012"}});
    m_list.AutoSizeColumns();
    const int extra = Spaces(m_list, CListCtrlEx::kAutoWidthSpaces);
    EXPECT_EQ(m_list.columnWidth(0), TextWidth(m_list, longName) + extra);
    EXPECT_EQ(m_list.columnWidth(1), TextWidth(m_list, "123456789012") + extra);
    EXPECT_EQ(DividerX(2), m_list.viewport()->width()) << "the last column fills the list";

    m_list.resize(600, 220);
    QApplication::processEvents();
    EXPECT_EQ(DividerX(2), m_list.viewport()->width()) << "and keeps filling it";

    // Narrow the list: the last column keeps at least its heading.
    m_list.resize(200, 220);
    QApplication::processEvents();
    EXPECT_EQ(m_list.columnWidth(2), TextWidth(m_list, "Changed") + extra);

    // A heading wider than every cell sets the width; the icon column gets
    // room for the icons.
    m_list.resize(700, 220);
    QApplication::processEvents();
    m_list.InsertColumn(1, "A heading wider than the sizes", Qt::AlignLeft, 30);
    QPixmap icon(CListCtrlEx::kSmallIconWidth, CListCtrlEx::kSmallIconWidth);
    icon.fill(Qt::darkGreen);
    m_list.InsertItem(3, "c.txt", QIcon(icon));
    m_list.AutoSizeColumn(1);
    EXPECT_EQ(m_list.columnWidth(1), TextWidth(m_list, "A heading wider than the sizes") + extra);
    m_list.AutoSizeColumn(0);
    EXPECT_EQ(m_list.columnWidth(0),
              TextWidth(m_list, longName) + extra + CListCtrlEx::kSmallIconWidth);
    EXPECT_EQ(DividerX(3), m_list.viewport()->width());

    // Ctrl with the keypad's plus sizes every column again.
    m_list.SetItemText(0, 2, "a size of many more digits");
    QTest::keyClick(&m_list, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(m_list.columnWidth(2), TextWidth(m_list, "a size of many more digits") + extra);
    const int before = m_list.columnWidth(2);
    m_list.SetItemText(0, 2, "");
    QTest::keyClick(&m_list, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(m_list.columnWidth(2), before) << "the main keyboard's plus is no size key";
}

TEST_F(ListCtrlExTest, HeaderDoubleClickNearADividerSizesThatColumn)
{
    Fill({{"a name of some length", "1"}, {"b", "22"}});
    const int extra = Spaces(m_list, CListCtrlEx::kAutoWidthSpaces);
    const QList<int> before = Widths();

    DoubleClickHeaderAt(DividerX(0) + CListCtrlEx::kDividerReach);
    EXPECT_EQ(Widths(), before) << "8 pixels off is too far";
    DoubleClickHeaderAt(DividerX(0) + CListCtrlEx::kDividerReach - 1);
    EXPECT_EQ(m_list.columnWidth(0), TextWidth(m_list, "a name of some length") + extra);
    EXPECT_EQ(m_list.columnWidth(1), before[1]);

    // Halfway between two dividers the later one wins.
    Header()->setMinimumSectionSize(1);
    m_list.setColumnWidth(1, 10);
    DoubleClickHeaderAt(DividerX(0) + 5);
    EXPECT_EQ(m_list.columnWidth(1), TextWidth(m_list, "Size") + extra);
    // The last column gets the rest of the list.
    DoubleClickHeaderAt(DividerX(2) - 3);
    EXPECT_EQ(DividerX(2), m_list.viewport()->width());
}

TEST_F(ListCtrlExTest, MoveColumnCarriesHeadingTextsWidthAndType)
{
    Fill({{"a", "1", "x"}, {"b", "2", "y"}});
    ASSERT_TRUE(m_list.SetColumnTypes({Type::Text, Type::Integer}));
    const auto headings = [this] {
        QStringList texts;
        for (int column = 0; column < m_list.GetColumnCount(); ++column)
            texts.append(m_list.model()->headerData(column, Qt::Horizontal).toString());
        return texts;
    };

    for (const auto &[from, to] : {std::pair{0, 0}, {0, 1}, {2, 3}, {-1, 0}, {0, 4}})
        EXPECT_FALSE(m_list.MoveColumn(from, to)) << from << " onto " << to;
    EXPECT_EQ(headings(), QStringList({"Name", "Size", "Changed"}));

    EXPECT_TRUE(m_list.MoveColumn(0, 2));
    EXPECT_EQ(headings(), QStringList({"Size", "Name", "Changed"}));
    EXPECT_EQ(Column(0), QStringList({"1", "2"}));
    EXPECT_EQ(Column(1), QStringList({"a", "b"}));
    EXPECT_EQ(Widths(), QList<int>({80, 100, 120}));
    EXPECT_EQ(m_list.GetColumnTypes(), QList<int>({Type::Integer, Type::Text, Type::Text}));
    EXPECT_EQ(m_list.model()
                      ->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole)
                      .value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignRight);

    EXPECT_TRUE(m_list.MoveColumn(2, 0));
    EXPECT_EQ(headings(), QStringList({"Changed", "Size", "Name"}));
    EXPECT_EQ(Column(0), QStringList({"x", "y"}));
    EXPECT_EQ(ItemData(), QList<int>({0, 1}));

    // Dragging a header moves the column itself: indexes stay what is shown.
    const QPoint start = HeaderPoint(0, 10);
    const QPoint end = HeaderPoint(2, Header()->sectionSize(2) - 5);
    QTest::mousePress(Header()->viewport(), Qt::LeftButton, {}, start);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(Header()->viewport(), start + (end - start) * step / 4);
    QTest::mouseRelease(Header()->viewport(), Qt::LeftButton, {}, end);
    EXPECT_EQ(headings(), QStringList({"Size", "Name", "Changed"}));
    EXPECT_EQ(Column(2), QStringList({"x", "y"}));
    for (int column = 0; column < m_list.GetColumnCount(); ++column)
        EXPECT_EQ(Header()->visualIndex(column), column);
}

TEST_F(ListCtrlExTest, ClickOnACheckBoxTogglesItAndDeleteItemDropsSelectionAndFocus)
{
    Fill({{"one"}, {"two"}, {"three"}});
    m_list.SetCheckBoxes(true);
    const QRect row = RowRect(1);
    const QPoint box(m_list.columnViewportPosition(0) + CListCtrlEx::kStateImageWidth / 2,
                     row.center().y());
    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, box);
    EXPECT_TRUE(m_list.GetCheck(1));
    EXPECT_FALSE(m_list.GetCheck(0));
    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, box);
    EXPECT_FALSE(m_list.GetCheck(1));
    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, {60, row.center().y()});
    EXPECT_FALSE(m_list.GetCheck(1)) << "a click on the label only selects";
    EXPECT_EQ(m_list.GetSelectedRows(), QList<int>({1}));
    EXPECT_EQ(m_list.GetFocusedRow(), 1);

    m_list.SetCheck(2, true);
    EXPECT_TRUE(m_list.DeleteItem(1));
    EXPECT_EQ(Column(0), QStringList({"one", "three"}));
    EXPECT_TRUE(m_list.GetSelectedRows().isEmpty());
    EXPECT_EQ(m_list.GetFocusedRow(), -1);
    EXPECT_TRUE(m_list.GetCheck(1)) << "the check state goes with its row";
    EXPECT_FALSE(m_list.DeleteItem(2));
}

TEST_F(ListCtrlExTest, HighlightCoversTheModesAreaInPaletteColours)
{
    Fill({{"first", "1", "a"}, {"second", "2", "b"}, {"third", "3", "c"}});
    m_list.setColumnWidth(2, 60); // leaves a strip right of the last column
    QPalette light;
    light.setColor(QPalette::Base, Qt::white);
    light.setColor(QPalette::Text, Qt::black);
    light.setColor(QPalette::Highlight, QColor(0, 120, 215));
    light.setColor(QPalette::HighlightedText, Qt::white);
    light.setColor(QPalette::Button, QColor(225, 225, 225));
    light.setColor(QPalette::ButtonText, Qt::black);
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(70, 130, 180));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Button, QColor(60, 60, 60));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));

    // Row 0 is selected without the focus rectangle, which is on row 1.
    m_list.selectionModel()->select(m_list.model()->index(0, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_list.selectionModel()->setCurrentIndex(m_list.model()->index(1, 0),
                                             QItemSelectionModel::NoUpdate);
    const int y = RowRect(0).top() + 1;
    const QPoint label(2, y);
    const QPoint sizeCell(m_list.columnViewportPosition(1) + 2, y);
    const QPoint pastLastColumn(DividerX(2) + 10, y);
    const QPoint unselected(2, RowRect(2).top() + 1);

    for (const QPalette &palette : {light, dark}) {
        m_list.setPalette(palette);
        m_list.setFocus();
        ASSERT_TRUE(m_list.hasFocus());
        const auto pixel = [this](const QPoint &at) {
            return m_list.viewport()->grab().toImage().pixelColor(at);
        };
        const QColor highlight = palette.color(QPalette::Highlight);
        const QColor base = palette.color(QPalette::Base);

        m_list.SetSelectionMode(0);
        EXPECT_EQ(pixel(label), highlight);
        EXPECT_EQ(pixel(sizeCell), base);
        EXPECT_EQ(pixel(unselected), base);
        EXPECT_EQ(m_list.SetSelectionMode(1), 0);
        EXPECT_EQ(pixel(sizeCell), highlight);
        EXPECT_EQ(pixel(pastLastColumn), base);
        EXPECT_EQ(m_list.SetSelectionMode(2), 1);
        EXPECT_EQ(pixel(pastLastColumn), highlight);
        EXPECT_EQ(m_list.SetSelectionMode(3), 2) << "an unknown mode is ignored";
        EXPECT_EQ(m_list.GetSelectionMode(), 2);

        if (qEnvironmentVariableIsSet("PROVANA_SCREENSHOT_DIR"))
            m_list.grab().save(qEnvironmentVariable("PROVANA_SCREENSHOT_DIR") +
                               (palette == light ? "/list-light.png" : "/list-dark.png"));
        m_list.clearFocus();
        EXPECT_EQ(pixel(label), palette.color(QPalette::Button)) << "without the focus";
    }
}
