#include "ui/dialogs/AboutDlg.h"

#include "ProvanaVersion.h"
#include "support/EnglishTexts.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

TEST(AboutDlg, ShowsTheProductLineWithTheVersion)
{
    CEnglishTexts texts;
    ASSERT_TRUE(texts.Loaded());
    CAboutDlg dialog;
    const auto *productLine = dialog.findChild<QLabel *>(QStringLiteral("id10218"));
    ASSERT_NE(productLine, nullptr);
    EXPECT_EQ(productLine->text(), QStringLiteral("Provana version " PROVANA_DISPLAY_VERSION));
    // Version 0.1.0.3 of the module is shown in its short form.
    EXPECT_EQ(CAboutDlg::VersionText(), QStringLiteral("1.03"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Provana"));
    EXPECT_NE(dialog.findChild<QLabel *>(QStringLiteral("id269")), nullptr);

    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("id1")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(texts.MissingTexts().isEmpty()) << texts.MissingTexts().join(u'\n').toStdString();
}
