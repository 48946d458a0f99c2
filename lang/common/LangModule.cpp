#include "LangModule.h"

#include <algorithm>

namespace {

const LangString *FindString(unsigned id)
{
    const LangString *begin = gLangTable.strings;
    const LangString *end = begin + gLangTable.count;
    const LangString *found = std::lower_bound(
        begin, end, id, [](const LangString &entry, unsigned wanted) { return entry.id < wanted; });
    return found != end && found->id == id ? found : nullptr;
}

} // namespace

extern "C" int ProvixLangLoadString(unsigned id, char16_t *buffer, int bufferMax)
{
    if (!buffer || bufferMax <= 0)
        return 0;
    buffer[0] = u'\0';
    const LangString *entry = FindString(id);
    if (!entry)
        return 0;
    int length = 0;
    while (length < bufferMax - 1 && entry->text[length] != u'\0') {
        buffer[length] = entry->text[length];
        ++length;
    }
    buffer[length] = u'\0';
    return length;
}

extern "C" const unsigned char *ProvixLangLoadImage(unsigned id, unsigned *size)
{
    const LangImage *begin = gLangImageTable.images;
    const LangImage *end = begin + gLangImageTable.count;
    const LangImage *found =
        std::find_if(begin, end, [id](const LangImage &image) { return image.id == id; });
    if (size)
        *size = found != end ? found->size : 0;
    return found != end ? found->data : nullptr;
}
