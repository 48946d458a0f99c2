// Internet shortcut (.url) files: any bytes must read as a URL or as none,
// and the URL is one line.
#include "bookmarks/InternetShortcut.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString url = InternetShortcutUrl(bytes);
    if (url.contains(u'\n') || url.contains(u'\r') || url != url.trimmed())
        __builtin_trap();
    return 0;
}
