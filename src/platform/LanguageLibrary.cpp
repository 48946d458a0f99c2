#include "platform/LanguageLibrary.h"

#include "platform/ProgramFolder.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QRegularExpression>

std::unique_ptr<CLanguageLibrary> CLanguageLibrary::Open(const QString &path)
{
    // The module stays loaded for the life of the process: texts are read from
    // it until the very end.
    QLibrary library(path);
    if (!library.load())
        return nullptr;
    auto loadString = reinterpret_cast<LoadStringFunction>(library.resolve("ProvixLangLoadString"));
    auto loadImage = reinterpret_cast<LoadImageFunction>(library.resolve("ProvixLangLoadImage"));
    if (!loadString)
        return nullptr;
    return std::unique_ptr<CLanguageLibrary>(new CLanguageLibrary(path, loadString, loadImage));
}

CLanguageLibrary::CLanguageLibrary(QString path, LoadStringFunction loadString,
                                   LoadImageFunction loadImage)
    : m_path(std::move(path))
    , m_loadString(loadString)
    , m_loadImage(loadImage)
{}

int CLanguageLibrary::LoadString(unsigned id, char16_t *buffer, int bufferMax) const
{
    return m_loadString(id, buffer, bufferMax);
}

QByteArray CLanguageLibrary::LoadImage(unsigned id) const
{
    unsigned size = 0;
    const unsigned char *data = m_loadImage ? m_loadImage(id, &size) : nullptr;
    if (!data || !size)
        return QByteArray();
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

std::unique_ptr<CLanguageLibrary> CLanguageLibrary::OpenFromProgramFolder()
{
    return Open(ChooseLanguageLibrary().path);
}

namespace {

constexpr QLatin1String kEnglish("en", 2);

// "de-AT", "de_AT.UTF-8" and "DE" all name German; anything that is not a
// plain language code names nothing, so that no name reaches outside lang/.
QString LanguageCode(const QString &name)
{
    static const QRegularExpression code(QStringLiteral("^([A-Za-z]{2,3})(?:[-_.@]|$)"));
    const QRegularExpressionMatch match = code.match(name);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

QString ModuleOf(const QString &programFolder, const QString &language)
{
    const QString name = QLatin1String(kLanguageLibraryName);
    return QDir::cleanPath(language == kEnglish
                               ? programFolder + u'/' + name
                               : programFolder + QStringLiteral("/lang/") + language + u'/' + name);
}

} // namespace

LanguageChoice ChooseLanguageLibrary(const QString &programFolder, const QStringList &uiLanguages,
                                     const QString &forced)
{
    // A language without a desktop locale of its own keeps C's neutral
    // formats, with A4 paper, rather than one country's.
    auto localeFor = [&uiLanguages](const QString &language) {
        for (const QString &name : uiLanguages) {
            if (LanguageCode(name) == language)
                return QLocale(name);
        }
        return language == kEnglish ? QLocale::c() : QLocale(language);
    };
    const QString forcedCode = LanguageCode(forced);
    if (!forcedCode.isEmpty() && QFileInfo::exists(ModuleOf(programFolder, forcedCode)))
        return {ModuleOf(programFolder, forcedCode), forcedCode, localeFor(forcedCode)};
    for (const QString &name : uiLanguages) {
        const QString language = LanguageCode(name);
        if (!language.isEmpty() && QFileInfo::exists(ModuleOf(programFolder, language)))
            return {ModuleOf(programFolder, language), language, QLocale(name)};
    }
    return {ModuleOf(programFolder, kEnglish), kEnglish, localeFor(kEnglish)};
}

LanguageChoice ChooseLanguageLibrary()
{
    return ChooseLanguageLibrary(ProgramFolder(), QLocale::system().uiLanguages(),
                                 qEnvironmentVariable("PROVANA_LANGUAGE"));
}

QString HelpFolderOf(const QString &libraryPath)
{
    return QFileInfo(libraryPath).absolutePath() + QStringLiteral("/help/");
}
