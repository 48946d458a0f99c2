#include "validate/Validators.h"
#include "settings/NodeTypes.h"
#include "validate/FieldLimits.h"

#include <QString>

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace NodeType;

TEST(ValueRules, ReadsIntegersLenientlyAndSaturates)
{
    const std::pair<const char16_t *, int> cases[] = {{u" \t+42", 42},
                                                      {u"-7", -7},
                                                      {u"12abc", 12},
                                                      {u"", 0},
                                                      {u"+-1", 0},
                                                      {u"99999999999999999999999", INT_MAX},
                                                      {u"-99999999999999999999999", INT_MIN}};
    for (auto [text, value] : cases)
        EXPECT_EQ(ReadInteger(text), value) << QString::fromUtf16(text).toStdString();
    EXPECT_EQ(MaxLength(NodeType::Count), kDefaultMaxLength) << "no table entry past the end";
    EXPECT_EQ(MaxLength(-1), kDefaultMaxLength);
}

TEST(ValueRules, AcceptsAndRefusesTypedValues)
{
    using Rule = bool (*)(QStringView);
    const struct
    {
        Rule rule;
        std::vector<QStringView> valid;
        std::vector<QStringView> invalid;
    } rules[] = {{[](QStringView t) { return IsValidPhoneNumber(t, IAPPhoneNumber); },
                  {u"", u"+358 (9) 12-3/4.5pPwW*#", u"12+34"},
                  {u"12a"}},
                 {[](QStringView t) { return IsValidPhoneNumber(t, CentrePhoneNumber); },
                  {u"+358"},
                  {u"*40"}},
                 // The voice mailbox takes a plus sign in front only.
                 {[](QStringView t) { return IsValidPhoneNumber(t, DefaultVoiceMailbox); },
                  {u"+358*40#"},
                  {u"358+40", u"358-40"}},
                 // Only the first dot is placed.
                 {IsValidHostName,
                  {u"m\u00e4il-1.example.com", u"a.b."},
                  {u"", u".example.com", u"example.", u"host:8080", u"mail_1.example.com"}},
                 {IsValidEmailAddress,
                  {u"first.last_x-1@mail.example.com"},
                  {u"nobody.example.com", u"nobody@", u"no+body@example.com", u"a@b@example.com"}},
                 // Parts are read leniently (empty ones as 0), but never wrap around.
                 {IsValidIPAddress,
                  {u"255.255.255.0", u"...", u" 1.+2.3x.4"},
                  {u"192.168.1", u"256.0.0.1", u"1.2.3.-1", u"4294967296.0.0.1"}},
                 {IsValidPort, {u"65535", u" +80/tcp"}, {u"65536", u"-1"}},
                 // An Arabic-Indic digit is not read as a number.
                 {IsAllDigits, {u"", u"0123456789"}, {u"+12", u"\u0663"}},
                 // Both prefixes are removed in turn, matched in exact case.
                 {IsValidURL,
                  {u"  https://example.com/a/b?c=d&e=%20#f", u"http://https://host"},
                  {u"http://www.example.com/a b", u"http://host/caf\u00e9", u"http://",
                   u"HTTP://host", u"http://host ", u"http://host/<a>"}},
                 {[](QStringView t) { return IsValidPath(t, PathSide::Phone); },
                  {u"C:\\Documents\\Tone 1.rng"},
                  {u"a\"b", u"a*b", u"a/b", u"a<b", u"a>b", u"a?b", u"a|b"}},
                 // A PC path is a POSIX path here.
                 {[](QStringView t) { return IsValidPath(t, PathSide::PC); },
                  {u"/home/ann/tone 1.wav", u"C:\\tone.wav"},
                  {u"/home/a\"b", u"a*b", u"a<b", u"a>b", u"a?b", u"a|b"}}};
    for (const auto &r : rules) {
        for (QStringView text : r.valid)
            EXPECT_TRUE(r.rule(text)) << text.toString().toStdString();
        for (QStringView text : r.invalid)
            EXPECT_FALSE(r.rule(text)) << text.toString().toStdString();
    }
}
