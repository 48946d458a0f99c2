#include "ui/controls/ShownLabel.h"

#include "support/TestApplication.h"

#include <gtest/gtest.h>

TEST(ShownLabel, AMissingTextSaysSoOnTheScreenAndShowsAsAnError)
{
    CTestTree tree(false);
    tree.Strings().texts[279] = "Internet access points";
    tree.Strings().texts[100] = "";
    EXPECT_EQ(ShownLabel(&tree.Application(), 279), "Internet access points");
    EXPECT_TRUE(tree.Messages().shown.isEmpty());
    EXPECT_EQ(ShownLabel(&tree.Application(), 100), "<error>");
    EXPECT_EQ(ShownLabel(&tree.Application(), 12345), "<error>");
    EXPECT_EQ(tree.Messages().shown, (QStringList{"Internal error.", "Internal error."}));
}
