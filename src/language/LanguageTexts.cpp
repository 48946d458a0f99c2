#include "language/LanguageTexts.h"

#include "platform/LanguageLibrary.h"
#include "settings/Application.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

CLanguageTexts::CLanguageTexts(std::unique_ptr<CLanguageLibrary> library)
    : m_library(std::move(library))
{}

CLanguageTexts::~CLanguageTexts() = default;

std::unique_ptr<CLanguageTexts> CLanguageTexts::Open(const QString &path)
{
    std::unique_ptr<CLanguageLibrary> library = CLanguageLibrary::Open(path);
    return library ? std::make_unique<CLanguageTexts>(std::move(library)) : nullptr;
}

int CLanguageTexts::LoadString(unsigned id, char16_t *buffer, int bufferMax) const
{
    return m_library->LoadString(id, buffer, bufferMax);
}

namespace {

void InstallQtTranslations(const QString &language)
{
    static std::unique_ptr<QTranslator> installed;
    if (!QCoreApplication::instance())
        return;
    if (installed)
        QCoreApplication::removeTranslator(installed.get());
    installed.reset();
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral("qtbase_") + language,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator.get()))
        installed = std::move(translator);
}

} // namespace

bool LoadLanguageLibrary(CApplication &application)
{
    const LanguageChoice choice = ChooseLanguageLibrary();
    std::unique_ptr<CLanguageLibrary> library = CLanguageLibrary::Open(choice.path);
    if (!library)
        return false;
    // Dates and numbers that the program formats itself (the printed
    // listing's date) speak the language of its texts, and so do the
    // dialogs and buttons that Qt brings (print, preview, message boxes).
    QLocale::setDefault(choice.locale);
    InstallQtTranslations(choice.language);
    application.SetLanguageLibrary(std::make_unique<CLanguageTexts>(std::move(library)));
    return true;
}

const CLanguageLibrary *LanguageLibraryOf(const CApplication &application)
{
    const auto *texts = dynamic_cast<const CLanguageTexts *>(application.GetLanguageLibrary());
    return texts ? &texts->Library() : nullptr;
}
