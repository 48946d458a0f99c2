#include "settings/Application.h"

#include "settings/StringSource.h"

CApplication::CApplication() = default;

CApplication::~CApplication() = default;

void CApplication::SetLanguageLibrary(std::unique_ptr<IStringSource> library)
{
    m_languageLibrary = std::move(library);
}
