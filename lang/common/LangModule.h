#pragma once

// A language library is plain data: a table of texts by string identifier,
// sorted by identifier, exported through two C functions with LoadString
// semantics (see LangModule.cpp).

#include <cstddef>

struct LangString
{
    unsigned id;
    const char16_t *text;
};

struct LangTable
{
    const LangString *strings;
    std::size_t count;
};

constexpr bool IsSortedAndUnique(const LangString *strings, std::size_t count)
{
    for (std::size_t i = 1; i < count; ++i) {
        if (strings[i - 1].id >= strings[i].id)
            return false;
    }
    return true;
}

// The table of a language's strings; a table that is not sorted by
// identifier, or names one twice, does not compile.
template<std::size_t N>
consteval LangTable MakeLangTable(const LangString (&strings)[N])
{
    if (!IsSortedAndUnique(strings, N))
        throw "string identifiers must be sorted and unique";
    return {strings, N};
}

// Defined once by each language's string file.
extern const LangTable gLangTable;

struct LangImage
{
    unsigned id;
    const unsigned char *data;
    unsigned size;
};

struct LangImageTable
{
    const LangImage *images;
    std::size_t count;
};

// Generated at build time from the PNG files under common/images.
extern const LangImageTable gLangImageTable;

extern "C" {
// Copies the text with the given identifier into buffer, at most
// bufferMax - 1 units plus a terminating zero, and returns the number of units
// copied without the terminator; 0 when the identifier is unknown or its text
// is empty.
__attribute__((visibility("default"))) int ProvixLangLoadString(unsigned id, char16_t *buffer,
                                                                int bufferMax);
// Returns the encoded image (PNG) with the given identifier and its size in
// bytes, or null when the library has none.
__attribute__((visibility("default"))) const unsigned char *ProvixLangLoadImage(unsigned id,
                                                                                unsigned *size);
}
