#include "language/LanguageTexts.h"

#include "platform/LanguageLibrary.h"
#include "settings/Application.h"

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

bool LoadLanguageLibrary(CApplication &application)
{
    std::unique_ptr<CLanguageLibrary> library = CLanguageLibrary::OpenFromProgramFolder();
    if (!library)
        return false;
    application.SetLanguageLibrary(std::make_unique<CLanguageTexts>(std::move(library)));
    return true;
}

const CLanguageLibrary *LanguageLibraryOf(const CApplication &application)
{
    const auto *texts = dynamic_cast<const CLanguageTexts *>(application.GetLanguageLibrary());
    return texts ? &texts->Library() : nullptr;
}
