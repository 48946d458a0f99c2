#pragma once

#include "document/SettingsDocument.h"
#include "settings/Application.h"

#include <QByteArray>
#include <QString>

#include <memory>

class CLanguageLibrary;
class CMessageBoxPort;

// The module's application object, made when the module is loaded: it loads
// the language library, names the plug-in, and owns the one settings
// document for the life of the module.
class CProvixApp
{
public:
    static CProvixApp &Instance();

    CProvixApp(const CProvixApp &) = delete;
    CProvixApp &operator=(const CProvixApp &) = delete;

    CApplication &Application() { return m_application; }
    CSettingsDocument &Document() { return *m_document; }
    bool HasLanguageLibrary() const { return m_languageLibrary != nullptr; }
    // Full path of the language library; empty when it did not load.
    QString LanguageLibraryPath() const;
    QByteArray LoadImage(unsigned id) const;
    // Label 112 with its first line break as a space.
    const QString &Name() const { return m_name; }

private:
    CProvixApp();
    ~CProvixApp();

    CApplication m_application;
    const CLanguageLibrary *m_languageLibrary = nullptr;
    std::unique_ptr<CMessageBoxPort> m_messages;
    std::unique_ptr<CSettingsDocument> m_document;
    QString m_name;
};
