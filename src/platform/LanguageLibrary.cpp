#include "platform/LanguageLibrary.h"

#include "platform/ProgramFolder.h"

#include <QByteArray>
#include <QDir>
#include <QLibrary>

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
    return Open(QDir::cleanPath(ProgramFolder() + QLatin1String(kLanguageLibraryName)));
}
