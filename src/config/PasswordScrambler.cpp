#include "config/PasswordScrambler.h"

#include <random>

namespace {

constexpr std::int32_t kKeyModulus = 47137;

std::uint16_t NextKey(std::uint16_t key)
{
    const auto square = static_cast<std::int32_t>(static_cast<std::uint32_t>(key) * key);
    return static_cast<std::uint16_t>((square % kKeyModulus) & 0xFFFF);
}

// Writes the four hex digits of value at out and returns the place after
// them.
QChar *WriteHex(QChar *out, std::uint16_t value)
{
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    for (int shift = 12; shift >= 0; shift -= 4)
        *out++ = QChar(kDigits[(value >> shift) & 0xF]);
    return out;
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// The four digits at position as a number; -1 when one is not a digit.
int ReadGroup(const QString &text, qsizetype position)
{
    int value = 0;
    for (qsizetype i = position; i < position + 4; ++i) {
        const int digit = HexDigit(text.at(i));
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace

std::uint16_t RandomScrambleKey()
{
    // The key only varies the scrambled text, it guards nothing: a
    // generator seeded once from the system's device serves a configuration
    // of thousands of passwords without a draw from the device each.
    thread_local std::mt19937 generator{std::random_device{}()};
    return static_cast<std::uint16_t>(generator() & 0xFFFF);
}

QString ScramblePassword(const QString &password, int units, const ScrambleKeySource &keys)
{
    return ScramblePassword(password, units, keys ? keys() : RandomScrambleKey());
}

QString ScramblePassword(const QString &password, int units, std::uint16_t firstKey)
{
    const qsizetype count = units < 0 ? password.size() : units;
    QString out((count + 1) * 4, Qt::Uninitialized);
    std::uint16_t key = NextKey(firstKey);
    QChar *write = WriteHex(out.data(), key);
    for (qsizetype i = 0; i < count; ++i) {
        key = NextKey(key);
        const std::uint16_t unit = i < password.size() ? password.at(i).unicode() : 0;
        write = WriteHex(write, static_cast<std::uint16_t>(unit ^ key));
    }
    return out;
}

QString UnscramblePassword(const QString &scrambled)
{
    QString out;
    if (scrambled.size() < 4)
        return out;
    const int first = ReadGroup(scrambled, 0);
    if (first < 0)
        return out;
    auto key = static_cast<std::uint16_t>(first);
    for (qsizetype position = 4; position + 4 <= scrambled.size(); position += 4) {
        const int group = ReadGroup(scrambled, position);
        if (group < 0)
            break;
        key = NextKey(key);
        const auto unit = static_cast<char16_t>(group ^ key);
        if (unit == 0)
            break;
        out += QChar(unit);
    }
    return out;
}
