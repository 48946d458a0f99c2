#pragma once

#include "settings/StringSource.h"

#include <QString>

#include <memory>

class CApplication;

// A language library module: texts (and images) by identifier.
class CLanguageLibrary final : public IStringSource
{
public:
    using LoadStringFunction = int (*)(unsigned, char16_t *, int);
    using LoadImageFunction = const unsigned char *(*)(unsigned, unsigned *);

    // Loads the module at path; null when it cannot be loaded or lacks the
    // language library's exports.
    static std::unique_ptr<CLanguageLibrary> Open(const QString &path);

    int LoadString(unsigned id, char16_t *buffer, int bufferMax) const override;
    // The encoded image with this identifier; empty when there is none.
    QByteArray LoadImage(unsigned id) const;
    const QString &Path() const { return m_path; }

private:
    CLanguageLibrary(QString path, LoadStringFunction loadString, LoadImageFunction loadImage);

    QString m_path;
    LoadStringFunction m_loadString;
    LoadImageFunction m_loadImage;
};

inline constexpr char kLanguageLibraryName[] = "ProvixLang.so";

// A library may keep an image at twice the size, for screens with twice the
// pixel density, under this offset plus the image's identifier.
inline constexpr unsigned kDoubleSizeImageOffset = 100000;

// Loads the language library from the program folder into the application;
// returns whether it was loaded. Shows nothing: the caller reports a failure.
bool LoadLanguageLibrary(CApplication &application);
