#include "validate/Validators.h"
#include "settings/NodeTypes.h"
#include "validate/FieldLimits.h"

#include <QString>

#include <gtest/gtest.h>

using namespace NodeType;

TEST(ValueRules, LimitTablesByNodeType)
{
    EXPECT_EQ(MaxLength(WAPBookmarkUseConnection), 50);
    EXPECT_EQ(MaxLength(Script), 10000);
    EXPECT_EQ(MaxLength(WWWBookmarkURL), 264);
    EXPECT_EQ(MaxLength(TerminalConnectionName), 1024);
    EXPECT_EQ(MaxLength(NodeType::Count), 1024);
    EXPECT_EQ(AllowedCharacters(CentrePhoneNumber), u"0123456789+");
    EXPECT_EQ(AllowedCharacters(DefaultVoiceMailbox), u"0123456789+*#");
    EXPECT_EQ(AllowedCharacters(TerminalPhoneNumber), u"0123456789pPwW+*#-()/ .");
}

TEST(ValueRules, ReadsIntegersLenientlyAndSaturates)
{
    EXPECT_EQ(ReadInteger(u" \t+42"), 42);
    EXPECT_EQ(ReadInteger(u"-7"), -7);
    EXPECT_EQ(ReadInteger(u"12abc"), 12);
    EXPECT_EQ(ReadInteger(u""), 0);
    EXPECT_EQ(ReadInteger(u"+-1"), 0) << "one sign only";
    EXPECT_EQ(ReadInteger(u"99999999999999999999999"), 2147483647);
    EXPECT_EQ(ReadInteger(u"-99999999999999999999999"), -2147483647 - 1);
}

TEST(ValueRules, PhoneNumbers)
{
    EXPECT_TRUE(IsValidPhoneNumber(u"", IAPPhoneNumber));
    EXPECT_TRUE(IsValidPhoneNumber(u"+358 (9) 12-3/4.5pPwW*#", IAPPhoneNumber));
    EXPECT_TRUE(IsValidPhoneNumber(u"12+34", IAPPhoneNumber));
    EXPECT_FALSE(IsValidPhoneNumber(u"*40", CentrePhoneNumber));
    // The voice mailbox takes a plus sign in front only.
    EXPECT_TRUE(IsValidPhoneNumber(u"+358*40#", DefaultVoiceMailbox));
    EXPECT_FALSE(IsValidPhoneNumber(u"358+40", DefaultVoiceMailbox));
    EXPECT_FALSE(IsValidPhoneNumber(u"358-40", DefaultVoiceMailbox));
}

TEST(ValueRules, HostNamesAndEmailAddresses)
{
    EXPECT_TRUE(IsValidHostName(u"mail"));
    EXPECT_TRUE(IsValidHostName(u"m\u00e4il-1.example.com"));
    EXPECT_FALSE(IsValidHostName(u""));
    EXPECT_FALSE(IsValidHostName(u".example.com"));
    EXPECT_FALSE(IsValidHostName(u"example."));
    EXPECT_TRUE(IsValidHostName(u"a.b.")) << "only the first dot is placed";
    EXPECT_FALSE(IsValidHostName(u"host:8080"));

    EXPECT_TRUE(IsValidEmailAddress(u"first.last_x-1@mail.example.com"));
    EXPECT_FALSE(IsValidEmailAddress(u"nobody.example.com"));
    EXPECT_FALSE(IsValidEmailAddress(u"nobody@"));
    EXPECT_FALSE(IsValidEmailAddress(u"no+body@example.com"));
    EXPECT_FALSE(IsValidEmailAddress(u"a@b@example.com"));
}

TEST(ValueRules, AddressesPortsAndDigits)
{
    EXPECT_TRUE(IsValidIPAddress(u"255.255.255.0"));
    EXPECT_FALSE(IsValidIPAddress(u"192.168.1"));
    EXPECT_FALSE(IsValidIPAddress(u"256.0.0.1"));
    EXPECT_FALSE(IsValidIPAddress(u"1.2.3.-1"));
    EXPECT_TRUE(IsValidIPAddress(u"...")) << "empty parts read as 0";
    EXPECT_TRUE(IsValidIPAddress(u" 1.+2.3x.4"));
    EXPECT_FALSE(IsValidIPAddress(u"4294967296.0.0.1")) << "would wrap to 0 in 32 bits";

    EXPECT_TRUE(IsValidPort(u"65535"));
    EXPECT_FALSE(IsValidPort(u"65536"));
    EXPECT_FALSE(IsValidPort(u"-1"));
    EXPECT_TRUE(IsValidPort(u" +80/tcp"));

    EXPECT_TRUE(IsAllDigits(u""));
    EXPECT_FALSE(IsAllDigits(u"+12"));
    EXPECT_FALSE(IsAllDigits(u"\u0663")) << "an Arabic-Indic digit is not read as a number";
}

TEST(ValueRules, URLsAndPaths)
{
    EXPECT_TRUE(IsValidURL(u"http://www.example.com"));
    EXPECT_TRUE(IsValidURL(u"  https://example.com/a/b?c=d&e=%20#f"));
    EXPECT_TRUE(IsValidURL(u"http://https://host")) << "both prefixes are removed in turn";
    EXPECT_FALSE(IsValidURL(u"http://www.example.com/a b"));
    EXPECT_FALSE(IsValidURL(u"http://host/caf\u00e9"));
    EXPECT_FALSE(IsValidURL(u"http://"));
    EXPECT_FALSE(IsValidURL(u"HTTP://host")) << "the prefixes are matched in exact case";
    EXPECT_FALSE(IsValidURL(u"http://host "));

    EXPECT_TRUE(IsValidPath(u"C:\\Documents\\Tone 1.rng"));
    for (QChar c : QStringView(u"\"*/<>?|"))
        EXPECT_FALSE(IsValidPath(QStringLiteral("a%1b").arg(c))) << c.toLatin1();
}
