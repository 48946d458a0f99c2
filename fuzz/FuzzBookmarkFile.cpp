// Bookmark files as browsers and people write them: decoding and scanning
// arbitrary bytes must end, and every link found must be well formed.
#include "bookmarks/BookmarkFile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = DecodeBookmarkFile(bytes);
    Require(text.isEmpty() || text.endsWith(u'\n'));
    Require(!text.contains(u'\r'));
    const QStringList links = ScanBookmarkText(text);
    // Every link starts at an entry tag of its own.
    Require(links.size() <= text.count(QStringLiteral("<dt>"), Qt::CaseInsensitive));
    for (const QString &link : links)
        Require(link.contains(u'\n'));
    // Decoding references only ever shortens a text.
    Require(DecodeCharacterReferences(text).size() <= text.size());
    return 0;
}
