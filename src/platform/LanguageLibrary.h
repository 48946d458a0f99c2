#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

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
    // The module that ChooseLanguageLibrary picks for this user.
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

// Which language library a user gets, and the locale that goes with it.
struct LanguageChoice
{
    QString path;     // the module to load
    QString language; // its language code: "en", "de", ...
    QLocale locale;   // dates, numbers and paper follow it
};

// English is the module beside the program; every other language has its
// own folder there, lang/<code>/ProvixLang.so. The first of uiLanguages (as
// QLocale::uiLanguages names them, "de-AT" or "de_AT") that has a module
// wins, else English; a forced language code wins over them all when its
// module exists. Only the existence of the files is looked at.
LanguageChoice ChooseLanguageLibrary(const QString &programFolder, const QStringList &uiLanguages,
                                     const QString &forced);
// The choice for this process: the desktop's languages and PROVANA_LANGUAGE.
LanguageChoice ChooseLanguageLibrary();

// The folder of the help topics that belong to the library at libraryPath.
QString HelpFolderOf(const QString &libraryPath);
