#include "ui/print/CustomPrint.h"

#include "print/PrintListing.h"
#include "support/EnglishTexts.h"

#include <QPrinter>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CustomPrintTest : public ::testing::Test
{
protected:
    // The range button with this control identifier.
    QRadioButton *Button(CCustomPrint &dialog, int id)
    {
        return dialog.findChild<QRadioButton *>(QStringLiteral("id%1").arg(id));
    }

    // Shows the dialog as it opens for the user and lets it settle.
    void Open(CCustomPrint &dialog)
    {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QCoreApplication::processEvents();
    }

    CEnglishTexts m_texts;
    QPrinter m_printer;
};

TEST_F(CustomPrintTest, OpensOnTheRememberedRangeAndTakesTheUsersChoice)
{
    for (int option : {PrintRange::All, PrintRange::Selected, PrintRange::Included}) {
        CCustomPrint dialog(m_texts.Application(), &m_printer, option);
        Open(dialog);
        QRadioButton *all = Button(dialog, CCustomPrint::AllId);
        QRadioButton *selection = Button(dialog, CCustomPrint::SelectionId);
        QRadioButton *included = Button(dialog, CCustomPrint::IncludedId);
        ASSERT_TRUE(all && selection && included);
        EXPECT_EQ(included->text(), "Included settings");
        EXPECT_TRUE(all->isVisible() && selection->isVisible() && included->isVisible());
        // Exactly the remembered choice is checked once the dialog is open.
        EXPECT_EQ(all->isChecked(), option == PrintRange::All) << option;
        EXPECT_EQ(selection->isChecked(), option == PrintRange::Selected) << option;
        EXPECT_EQ(included->isChecked(), option == PrintRange::Included) << option;
        EXPECT_EQ(dialog.RangeOption(), option);
    }

    CCustomPrint dialog(m_texts.Application(), &m_printer, PrintRange::Included);
    Open(dialog);
    QRadioButton *included = Button(dialog, CCustomPrint::IncludedId);
    Button(dialog, CCustomPrint::SelectionId)->click();
    EXPECT_EQ(dialog.RangeOption(), PrintRange::Selected);
    EXPECT_FALSE(included->isChecked());
    Button(dialog, CCustomPrint::AllId)->click();
    EXPECT_EQ(dialog.RangeOption(), PrintRange::All);
    included->click();
    EXPECT_EQ(dialog.RangeOption(), PrintRange::Included);
    EXPECT_FALSE(Button(dialog, CCustomPrint::AllId)->isChecked());
}

} // namespace
