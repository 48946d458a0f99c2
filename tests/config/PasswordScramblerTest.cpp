#include "config/PasswordScrambler.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"

#include <gtest/gtest.h>

TEST(Password, FixedLengthsPadAndCut)
{
    const QString twenty = ScramblePassword("secret", 20);
    EXPECT_EQ(twenty.size(), 84);
    EXPECT_EQ(UnscramblePassword(twenty), "secret");
    EXPECT_EQ(ScramblePassword("", 25).size(), 104);
    EXPECT_EQ(UnscramblePassword(ScramblePassword(QString(30, 'x'), 20)), QString(20, 'x'));
    EXPECT_EQ(ScramblePassword("abc", -1).size(), 16);
    for (QChar c : twenty)
        EXPECT_TRUE(QString("0123456789abcdef").contains(c));
}

TEST(Password, KeyStepIsTheFileFormat)
{
    // First key 2: 2*2 = 4; 4*4 = 16; so "a" (0x61) is written as 0x61 ^ 16.
    EXPECT_EQ(ScramblePassword("a", -1, 2), "00040071");
    // 0xffff squared wraps as a signed 32-bit product: -131071 % 47137 = -36797.
    EXPECT_EQ(ScramblePassword("", -1, 0xffff), QString::number(static_cast<quint16>(-36797), 16));
    EXPECT_EQ(UnscramblePassword("00040071"), "a");
    // A key source gives the first key of each password.
    int asked = 0;
    const ScrambleKeySource two = [&asked] {
        return static_cast<std::uint16_t>(++asked * 2);
    };
    EXPECT_EQ(ScramblePassword("a", -1, two), "00040071");
    EXPECT_EQ(ScramblePassword("a", -1, two), "00100161") << "the second first key is 4";
}

TEST(Password, UnscrambleToleratesDamage)
{
    const QString scrambled = ScramblePassword("p\u00e4ss \U0001F600", 20);
    EXPECT_EQ(UnscramblePassword(scrambled), "p\u00e4ss \U0001F600");
    EXPECT_EQ(UnscramblePassword(scrambled + "12"), UnscramblePassword(scrambled));
    EXPECT_EQ(UnscramblePassword(""), "");
    EXPECT_EQ(UnscramblePassword("zzzz0000"), "");
    EXPECT_EQ(UnscramblePassword("00040071zz"), "a");
    EXPECT_EQ(UnscramblePassword("0004007g"), "")
        << "a group that is not hexadecimal ends the text";
}

// A password the editors let through fits its scrambled form whole.
TEST(Password, EveryPasswordAtItsLimitSurvivesScrambling)
{
    int passwords = 0;
    for (int type = 0; type < NodeType::Count; ++type) {
        const NodeTypeInfo &info = NodeTypeInfoOf(type);
        if (info.scrambledUnits < 0)
            continue;
        ++passwords;
        const QString longest(info.maxLength, u'p');
        EXPECT_EQ(UnscramblePassword(ScramblePassword(longest, info.scrambledUnits)), longest)
            << type;
    }
    EXPECT_EQ(passwords, 3);
}
