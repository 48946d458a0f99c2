// Chromium's Bookmarks files: any bytes must read as a bookmark list or as
// none, and every bookmark read must split back into its URL and name.
#include "FuzzTempFile.h"

#include "bookmarks/BookmarkFile.h"
#include "bookmarks/BrowserProfiles.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path =
        WriteFuzzFile(QStringLiteral("Bookmarks"), reinterpret_cast<const char *>(data), size);
    QStringList bookmarks;
    if (!ReadChromiumBookmarks(path, bookmarks) && !bookmarks.isEmpty())
        __builtin_trap();
    for (const QString &bookmark : bookmarks) {
        QString url;
        QString name;
        SplitImportedBookmark(bookmark, url, name);
        if (ImportedBookmark(url, name) != bookmark || url.contains(u'\n'))
            __builtin_trap();
    }
    return 0;
}
