#include "document/TreeDiff.h"

#include "settings/NodePath.h"
#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <string>

using namespace NodeType;

namespace {

// The differences, one a line, as the command line prints them.
std::string Lines(const CSettingNode *before, const CSettingNode *after, bool withHidden = false)
{
    QStringList lines;
    for (const CTreeDifference &difference : DiffTrees(before, after, withHidden)) {
        switch (difference.kind) {
        case CTreeDifference::Value:
            lines << difference.path + QStringLiteral(": ") + difference.oldText +
                         QStringLiteral(" -> ") + difference.newText;
            break;
        case CTreeDifference::Include:
            lines << difference.path +
                         QString::fromUtf16(difference.newIncluded ? u" on" : u" off");
            break;
        case CTreeDifference::Added:
            lines << QStringLiteral("+ ") + difference.path;
            break;
        case CTreeDifference::Removed:
            lines << QStringLiteral("- ") + difference.path;
            break;
        }
    }
    return lines.join(u'\n').toStdString();
}

CSettingNode *AddBookmark(const CSettingNode *root, const QString &name, const QString &url)
{
    CSettingNode *bookmark =
        Path(root, {PersonalData, WWWBookmarks})->AddChild(QString(), 0, WWWBookmark);
    bookmark->CreateDefaultContent();
    bookmark->FindChild(WWWBookmarkName)->SetValue(name);
    bookmark->FindChild(WWWBookmarkURL)->SetValue(url);
    return bookmark;
}

} // namespace

TEST(TreeDiff, ItemsAreMatchedByNameNotPlace)
{
    CTestTree before;
    CTestTree after;
    EXPECT_EQ(Lines(before.Root(), after.Root()), "");

    AddAccessPoint(before.Root(), "Office");
    AddAccessPoint(before.Root(), "Home");
    AddAccessPoint(before.Root(), "Old");
    AddMailbox(before.Root(), "Work");
    // Reordered, one renamed, one added.
    AddAccessPoint(after.Root(), "Home");
    AddAccessPoint(after.Root(), "New");
    AddAccessPoint(after.Root(), "Office");
    AddMailbox(after.Root(), "Work");
    AddMailbox(after.Root(), "Private");
    // The first access point and mailbox are the preferred ones, and a
    // mailbox uses the first access point: references are values.
    EXPECT_EQ(Lines(before.Root(), after.Root()),
              "IAPSettings/PreferredConnection: Office -> Home\n"
              "- IAPSettings/IAPConnection[Old]\n"
              "+ IAPSettings/IAPConnection[New]\n"
              "EMailSettings/Mailbox[Work]/UseConnection: Office -> Home\n"
              "+ EMailSettings/Mailbox[Private]");
    EXPECT_EQ(Lines(after.Root(), before.Root()),
              "IAPSettings/PreferredConnection: Home -> Office\n"
              "- IAPSettings/IAPConnection[New]\n"
              "+ IAPSettings/IAPConnection[Old]\n"
              "EMailSettings/Mailbox[Work]/UseConnection: Home -> Office\n"
              "- EMailSettings/Mailbox[Private]");
}

TEST(TreeDiff, ValuesIncludeFlagsAndPasswords)
{
    CTestTree before;
    CTestTree after;
    for (const CTestTree *tree : {&before, &after}) {
        AddAccessPoint(tree->Root(), "Home");
        AddAccessPoint(tree->Root(), "Office");
    }
    CSettingNode *office =
        Writable(FindNodeByPath(after.Root(), "IAPSettings/IAPConnection[Office]"));
    office->FindChild(IAPPhoneNumber)->SetValue("0123");
    office->FindChild(IAPUsername)->SetIncludeFlag(1);
    Writable(FindNodeByPath(before.Root(), "IAPSettings/IAPConnection[Home]"))
        ->FindChild(IAPPassword)
        ->SetValue("old secret");
    Writable(FindNodeByPath(after.Root(), "IAPSettings/IAPConnection[Home]"))
        ->FindChild(IAPPassword)
        ->SetValue("new secret");
    ASSERT_TRUE(office);
    EXPECT_EQ(Lines(before.Root(), after.Root()),
              "IAPSettings/IAPConnection[Home]/Password: ******** -> ********\n"
              "IAPSettings/IAPConnection[Office]/PhoneNumber:  -> 0123\n"
              "IAPSettings/IAPConnection[Office]/Username on");

    // Passwords that are the same unscrambled are no difference; an empty
    // one stays empty.
    Writable(FindNodeByPath(after.Root(), "IAPSettings/IAPConnection[Home]/Password"))
        ->SetValue("old secret");
    Writable(FindNodeByPath(before.Root(), "IAPSettings/IAPConnection[Office]/Password"))
        ->SetValue("gone");
    EXPECT_EQ(Lines(after.Root(), before.Root()),
              "IAPSettings/IAPConnection[Office]/PhoneNumber: 0123 -> \n"
              "IAPSettings/IAPConnection[Office]/Username off\n"
              "IAPSettings/IAPConnection[Office]/Password:  -> ********");
}

TEST(TreeDiff, ListEntriesTemplatesAndHiddenSettings)
{
    CTestTree before;
    CTestTree after;
    AddBookmark(before.Root(), "News", "http://news.example/");
    AddBookmark(before.Root(), "Same", "http://one.example/");
    AddBookmark(before.Root(), "Same", "http://two.example/");
    AddBookmark(after.Root(), "Same", "http://one.example/");
    AddBookmark(after.Root(), "Same", "http://three.example/");
    AddBookmark(after.Root(), "Shop", "http://shop.example/");
    // Templates are no settings of their own.
    Path(after.Root(), {IAPSettings, IAPTemplate, IAPPhoneNumber})->SetValue("999");
    Path(after.Root(), {BIOMessages})->SetValue("hidden");
    EXPECT_EQ(Lines(before.Root(), after.Root()),
              "- PersonalData/WWWBookmarks/WWWBookmark[News]\n"
              "PersonalData/WWWBookmarks/WWWBookmark[2]/URL: http://two.example/ -> "
              "http://three.example/\n"
              "+ PersonalData/WWWBookmarks/WWWBookmark[Shop]");
    EXPECT_NE(Lines(before.Root(), after.Root(), true).find("\nBIOMessages:  -> hidden"),
              std::string::npos);
    EXPECT_EQ(Lines(before.Root(), after.Root()).find("BIOMessages"), std::string::npos);
}
