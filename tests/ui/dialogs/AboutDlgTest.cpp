#include "ui/dialogs/AboutDlg.h"

#include "ProvanaVersion.h"
#include "support/EnglishTexts.h"

#include <QLabel>

#include <gtest/gtest.h>

TEST(AboutDlg, ShowsTheProductLineWithTheVersion)
{
    CEnglishTexts texts;
    ASSERT_TRUE(texts.Loaded());
    CAboutDlg dialog;
    const auto *productLine = dialog.findChild<QLabel *>("id10218");
    ASSERT_NE(productLine, nullptr);
    EXPECT_EQ(productLine->text(), "Provana version " PROVANA_DISPLAY_VERSION);
    // Version 0.1.0.3 of the module is shown in its short form.
    EXPECT_EQ(CAboutDlg::VersionText(), "1.03");
    EXPECT_TRUE(texts.MissingTexts().isEmpty()) << texts.MissingTexts().join(u'\n').toStdString();
}
