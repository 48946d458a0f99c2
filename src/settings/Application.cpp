#include "settings/Application.h"

#include "settings/StringSource.h"

namespace {
CApplication *g_currentApplication = nullptr;
}

CApplication::CApplication() = default;

CApplication::~CApplication()
{
    if (g_currentApplication == this)
        g_currentApplication = nullptr;
}

CApplication *CApplication::Current()
{
    return g_currentApplication;
}

void CApplication::SetCurrent(CApplication *application)
{
    g_currentApplication = application;
}

void CApplication::SetLanguageLibrary(std::unique_ptr<IStringSource> library)
{
    m_languageLibrary = std::move(library);
}
