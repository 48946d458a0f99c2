#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Laid out as COM's GUID so that identifiers cross module boundaries as they
// are.
struct GUID
{
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];

    friend constexpr bool operator==(const GUID &, const GUID &) = default;
};

using IID = GUID;
using CLSID = GUID;

inline constexpr GUID GUID_NULL{};

namespace GuidDetail {

constexpr int HexDigit(char32_t c)
{
    if (c >= '0' && c <= '9')
        return static_cast<int>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<int>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<int>(c - 'A' + 10);
    return -1;
}

// Reads `digits` hex digits at `at`; false on anything else.
template<class Char>
constexpr bool ReadHex(std::basic_string_view<Char> text, std::size_t at, int digits,
                       uint32_t &value)
{
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int digit = HexDigit(static_cast<char32_t>(text[at + static_cast<std::size_t>(i)]));
        if (digit < 0)
            return false;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return true;
}

template<class Char>
constexpr std::optional<GUID> Parse(std::basic_string_view<Char> text)
{
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    if (text.size() != 38 || text[0] != Char('{') || text[37] != Char('}') ||
        text[9] != Char('-') || text[14] != Char('-') || text[19] != Char('-') ||
        text[24] != Char('-'))
        return std::nullopt;
    GUID guid{};
    uint32_t value = 0;
    if (!ReadHex(text, 1, 8, value))
        return std::nullopt;
    guid.Data1 = value;
    if (!ReadHex(text, 10, 4, value))
        return std::nullopt;
    guid.Data2 = static_cast<uint16_t>(value);
    if (!ReadHex(text, 15, 4, value))
        return std::nullopt;
    guid.Data3 = static_cast<uint16_t>(value);
    constexpr std::size_t byteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!ReadHex(text, byteAt[i], 2, value))
            return std::nullopt;
        guid.Data4[i] = static_cast<uint8_t>(value);
    }
    return guid;
}

} // namespace GuidDetail

// Parses the registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (either
// letter case); nothing for any other text.
constexpr std::optional<GUID> ParseGuid(std::string_view text)
{
    return GuidDetail::Parse(text);
}

constexpr std::optional<GUID> ParseGuid(std::u16string_view text)
{
    return GuidDetail::Parse(text);
}

// For identifiers fixed in the source: a malformed string does not compile.
consteval GUID GuidFromString(std::string_view text)
{
    const std::optional<GUID> guid = ParseGuid(text);
    if (!guid)
        throw "malformed GUID string";
    return *guid;
}

// The registry form in upper case, as the registry keys spell it.
inline std::string FormatGuid(const GUID &guid)
{
    constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "{00000000-0000-0000-0000-000000000000}";
    auto put = [&](std::size_t at, uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i, value >>= 4)
            text[at + static_cast<std::size_t>(i)] = digits[value & 0xF];
    };
    put(1, guid.Data1, 8);
    put(10, guid.Data2, 4);
    put(15, guid.Data3, 4);
    constexpr std::size_t byteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i)
        put(byteAt[i], guid.Data4[i], 2);
    return text;
}

// The identifier of an interface type, specialised beside each interface's
// identifier so that templates can query by type.
template<class Interface>
struct InterfaceId;

template<class Interface>
constexpr const IID &IidOf()
{
    return InterfaceId<Interface>::value;
}
