// Written values and scrambled passwords: decoding arbitrary text must not
// fail, and what the writer encodes must decode to the value again.
#include "config/ConfigLoader.h"
#include "config/ConfigWriter.h"
#include "config/PasswordScrambler.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

// What unscrambling gives back: the units written, up to the first zero unit.
QString Unscrambled(const QString &password, qsizetype units)
{
    QString expected = password.left(units);
    const qsizetype zero = expected.indexOf(QChar(u'\0'));
    if (zero >= 0)
        expected.truncate(zero);
    return expected;
}

void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void CheckRoundTrip(const CSettingNode &node, const QString &value, const QString &expected)
{
    QString written = value;
    EncodeValue(&node, written);
    DecodeValue(&node, written);
    Require(written == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8)));

    UnscramblePassword(text);
    const CSettingNode password(QString(), EditorKind::Password, NodeType::IAPPassword, nullptr);
    const CSettingNode mailboxPassword(QString(), EditorKind::Password, NodeType::MailboxPassword,
                                       nullptr);
    const CSettingNode plain(QString(), EditorKind::Text, NodeType::IAPUsername, nullptr);
    const CSettingNode script(QString(), EditorKind::MultilineText, NodeType::Script, nullptr);
    for (const CSettingNode *node : {&password, &plain, &script}) {
        QString value = text;
        DecodeValue(node, value);
    }

    Require(UnscramblePassword(ScramblePassword(text, -1)) == Unscrambled(text, text.size()));
    const std::uint16_t key = text.isEmpty() ? 0 : text.front().unicode();
    for (int units : {-1, 0, 1, 20, 25}) {
        const qsizetype written = units < 0 ? text.size() : units;
        Require(UnscramblePassword(ScramblePassword(text, units, key)) ==
                Unscrambled(text, written));
    }

    CheckRoundTrip(password, text, Unscrambled(text, 20));
    CheckRoundTrip(mailboxPassword, text, Unscrambled(text, 25));
    CheckRoundTrip(plain, text, text.trimmed());
    CheckRoundTrip(script, text, text);
    return 0;
}
