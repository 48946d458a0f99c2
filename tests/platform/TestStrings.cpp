// A language library for tests: texts at the edges of the label buffer.
#include "../../lang/common/LangModule.h"

#include <iterator>
#include <string>

namespace {

const std::u16string kText2047(2047, u'a');
const std::u16string kText2048(2048, u'b');

const LangString kStrings[] = {
    {1, kText2047.c_str()},
    {2, kText2048.c_str()},
    {4, u""},
    {5, u"Stra\u00dfe \U0001F600"},
};

} // namespace

const LangTable gLangTable{kStrings, std::size(kStrings)};
