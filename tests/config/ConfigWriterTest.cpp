#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"

#include "config/ConfigWriter.h"

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

QString Written(const CSettingNode *root)
{
    QString text;
    WriteConfiguration(root, text);
    return text;
}

// The written element of one node at the given depth.
QString Element(const CSettingNode *node, int depth)
{
    QString text;
    WriteElement(node, text, depth);
    return text;
}

} // namespace

TEST(Writer, WorkedFragmentComesOutExactly)
{
    CTestTree tree;
    CSettingNode *category = tree.Root()->FindChild(IAPSettings);
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    office->FindChild(IAPPhoneNumber)->SetValue("0123");
    category->SetInclude(1, 1);
    category->FindChild(PreferredConnection)->SetInclude(1, 1);
    office->SetInclude(1, 1);
    office->FindChild(IAPConnectionName)->SetInclude(1, 1);
    office->FindChild(IAPPhoneNumber)->SetInclude(1, 1);

    const QString text = Written(tree.Root());
    EXPECT_TRUE(
        text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
                        "<!-- Provana Configuration File -->\n"
                        "\n"
                        "<Settings>\n"
                        "  <IAPSettings op=\"create\">\n"
                        "    <PreferredConnection op=\"create\">Office</PreferredConnection>\n"
                        "    <IAPConnection op=\"create\">\n"
                        "      <ConnectionName op=\"create\">Office</ConnectionName>\n"
                        "      <PhoneNumber op=\"create\">0123</PhoneNumber>\n"
                        "      <PromptPassword>Yes</PromptPassword>\n"
                        "      <Username></Username>\n"
                        "      <Password>"))
        << text.left(600).toStdString();
    EXPECT_TRUE(text.contains("      <Proxies>\n"
                              "        <HTTPUseProxy>No</HTTPUseProxy>\n"
                              "        <HTTPProxyServer></HTTPProxyServer>\n"
                              "        <HTTPPortNumber>0</HTTPPortNumber>\n"
                              "        <HTTPNoProxyFor></HTTPNoProxyFor>\n"
                              "      </Proxies>\n"));
    EXPECT_TRUE(text.contains("    </IAPConnection>\n  </IAPSettings>\n"));
    EXPECT_TRUE(text.endsWith("  <BIOMessages></BIOMessages>\n</Settings>\n"));
    const qsizetype password = text.indexOf("<Password>") + 10;
    EXPECT_EQ(text.indexOf("</Password>", password) - password, 84);
}

TEST(Writer, EmptyRootTemplatesAndExcludedCategories)
{
    CTestTree empty(false);
    QString text = "stale";
    EXPECT_EQ(WriteConfiguration(empty.Root(), text), 0);
    EXPECT_TRUE(text.isEmpty());

    CTestTree tree;
    const QString written = Written(tree.Root());
    EXPECT_FALSE(written.contains("op="));
    EXPECT_FALSE(written.contains("<ConnectionName")) << "templates are never written";
    EXPECT_TRUE(written.contains("  <IAPSettings>\n"
                                 "    <PreferredConnection></PreferredConnection>\n"
                                 "  </IAPSettings>\n"));
    EXPECT_TRUE(written.contains("  <WAPSettings>\n  </WAPSettings>\n"));
}

TEST(Writer, UpdateFlagAttributesAndEscaping)
{
    CTestTree tree;
    CSettingNode *user = Path(tree.Root(), {IAPSettings, IAPTemplate, IAPUsername});
    user->SetValue("a<b&c>\"d'");
    EXPECT_EQ(Element(user, 3), "      <Username>a&lt;b&amp;c&gt;\"d'</Username>\n");
    user->SetUpdateFlag(1);
    user->SetAttributeText("  x=\"1\"  ");
    EXPECT_EQ(Element(user, 1),
              "  <Username op=\"update\" x=\"1\">a&lt;b&amp;c&gt;\"d'</Username>\n");
    user->SetIncludeFlag(1);
    EXPECT_TRUE(Element(user, 1).startsWith("  <Username op=\"create\" x=\"1\">"));
}

TEST(Writer, ScriptIsCharacterDataAndNotIndented)
{
    CTestTree tree;
    CSettingNode *script = Path(tree.Root(), {IAPSettings, IAPTemplate, ScriptOptions, Script});
    script->SetValue("L1\nL2");
    EXPECT_EQ(Element(script, 4), "        <Script>\n"
                                  "<![CDATA[L1\n"
                                  "L2]]>\n"
                                  "        </Script>\n");
    script->SetValue("a]]>b]]>");
    const QString written = Element(script, 1);
    EXPECT_EQ(written,
              "  <Script>\n<![CDATA[a]]]]>\n<![CDATA[>b]]]]>\n<![CDATA[>]]>\n  </Script>\n")
        << "the split puts line feeds into the value, so it stands on its own lines";
}

TEST(Writer, MultilineValuesOutsideCharacterDataAreIndented)
{
    CTestTree tree;
    CSettingNode *name = Path(tree.Root(), {PersonalData, DefaultVoiceMailbox});
    name->SetValue("one\ntwo  \n");
    EXPECT_EQ(Element(name, 2), "    <DefaultVoiceMailbox>\n"
                                "one\n"
                                "    two\n"
                                "    </DefaultVoiceMailbox>\n");
    CSettingNode *free = tree.Root()->AddChild("x<y", 24, FreeElement);
    free->SetLabelOverride("Extra");
    free->SetRawMarkup(1);
    EXPECT_EQ(Element(free, 1), "  <Extra><![CDATA[x<y]]></Extra>\n");
}

TEST(Writer, FileBytesAreUtf16LeWithBomAndCrLf)
{
    const QByteArray bytes = EncodeConfigurationFile("a\nb\r\nc\rd\n\u00e9");
    const QByteArray expected("\xFF\xFE"
                              "a\0\r\0\n\0b\0\r\0\n\0c\0\r\0\n\0d\0\r\0\n\0\xE9\0",
                              28);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(EncodeConfigurationFile(QString()), QByteArray("\xFF\xFE", 2));
}
