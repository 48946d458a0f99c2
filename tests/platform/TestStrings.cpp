// A language library for tests: texts at the edges of the label buffer.
#include "../../lang/common/LangModule.h"

#include <array>
#include <iterator>

namespace {

template<std::size_t N>
constexpr std::array<char16_t, N + 1> Repeated(char16_t unit)
{
    std::array<char16_t, N + 1> text{};
    for (std::size_t i = 0; i < N; ++i)
        text[i] = unit;
    return text;
}

constexpr auto kText2047 = Repeated<2047>(u'a');
constexpr auto kText2048 = Repeated<2048>(u'b');

constexpr LangString kStrings[] = {
    {1, kText2047.data()},
    {2, kText2048.data()},
    {4, u""},
    {5, u"Stra\u00dfe \U0001F600"},
};

static_assert(IsSortedAndUnique(kStrings, std::size(kStrings)));

} // namespace

const LangTable gLangTable{kStrings, std::size(kStrings)};
