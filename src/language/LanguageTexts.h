#pragma once

#include "settings/StringSource.h"

#include <QString>

#include <memory>

class CApplication;
class CLanguageLibrary;

// A language library module as the source of the application's texts.
class CLanguageTexts final : public IStringSource
{
public:
    explicit CLanguageTexts(std::unique_ptr<CLanguageLibrary> library);
    ~CLanguageTexts() override;
    // The module at path; null when it cannot be loaded.
    static std::unique_ptr<CLanguageTexts> Open(const QString &path);

    int LoadString(unsigned id, char16_t *buffer, int bufferMax) const override;
    const CLanguageLibrary &Library() const { return *m_library; }

private:
    std::unique_ptr<CLanguageLibrary> m_library;
};

// Loads the language library chosen for this user (ChooseLanguageLibrary) as
// the application's texts and makes its locale the default one; returns
// whether it was loaded. Shows nothing: the caller reports a failure.
bool LoadLanguageLibrary(CApplication &application);
// The language library the application's texts come from; null when they
// come from elsewhere.
const CLanguageLibrary *LanguageLibraryOf(const CApplication &application);
