// Firefox's profiles.ini: any bytes must name no profile or a places.sqlite
// that exists. The profile folders p and q hold one, so that the fuzzer can
// reach a profile that is found.
#include "FuzzTempFile.h"

#include "bookmarks/BrowserProfiles.h"

#include <QDir>
#include <QFileInfo>

#include <cstddef>
#include <cstdint>

namespace {

void MakeProfiles()
{
    static const bool made = [] {
        for (const char *profile : {"p", "q"}) {
            const QString folder = FuzzFolder().filePath(QLatin1String(profile));
            QDir().mkpath(folder);
            QFile places(QDir(folder).filePath(QStringLiteral("places.sqlite")));
            if (!places.open(QIODevice::WriteOnly))
                __builtin_trap();
        }
        return true;
    }();
    (void)made;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    MakeProfiles();
    WriteFuzzFile(QStringLiteral("profiles.ini"), reinterpret_cast<const char *>(data), size);
    const QString places = FirefoxPlacesFile(FuzzFolder().path());
    if (!places.isEmpty() &&
        (!QFileInfo::exists(places) || !places.endsWith(QLatin1String("/places.sqlite"))))
        __builtin_trap();
    return 0;
}
