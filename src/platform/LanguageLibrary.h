#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// A language library module: texts (and images) by identifier.
class CLanguageLibrary final
{
public:
    using LoadStringFunction = int (*)(unsigned, char16_t *, int);
    using LoadImageFunction = const unsigned char *(*)(unsigned, unsigned *);

    // Loads the module at path; null when it cannot be loaded or lacks the
    // language library's exports.
    static std::unique_ptr<CLanguageLibrary> Open(const QString &path);
    // The module beside the program.
    static std::unique_ptr<CLanguageLibrary> OpenFromProgramFolder();

    // LoadString semantics: copies at most bufferMax - 1 units and a
    // terminating zero; returns the number of units copied.
    int LoadString(unsigned id, char16_t *buffer, int bufferMax) const;
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
