#include "host/ProvixApp.h"

#include "host/HostCommandIds.h"
#include "host/MessageBoxPort.h"
#include "language/LanguageTexts.h"
#include "platform/LanguageLibrary.h"
#include "settings/Labels.h"
#include "ui/controls/ShownLabel.h"

CProvixApp &CProvixApp::Instance()
{
    static CProvixApp application;
    return application;
}

CProvixApp::CProvixApp()
    : m_messages(std::make_unique<CMessageBoxPort>())
{
    m_application.SetMessagePort(m_messages.get());
    if (LoadLanguageLibrary(m_application))
        m_languageLibrary = LanguageLibraryOf(m_application);
    QString name = ShownLabel(&m_application, HostTextId::ViewName);
    const qsizetype lineBreak = name.indexOf(QStringLiteral("\r\n"));
    if (lineBreak >= 0)
        name.replace(lineBreak, 2, u' ');
    else if (const qsizetype newline = name.indexOf(u'\n'); newline >= 0)
        name[newline] = u' ';
    m_name = name;
    m_messages->SetTitle(m_name);
    m_document = std::make_unique<CSettingsDocument>(&m_application);
}

CProvixApp::~CProvixApp()
{
    m_document.reset();
    m_application.SetMessagePort(nullptr);
}

QString CProvixApp::LanguageLibraryPath() const
{
    return m_languageLibrary ? m_languageLibrary->Path() : QString();
}

QByteArray CProvixApp::LoadImage(unsigned id) const
{
    return m_languageLibrary ? m_languageLibrary->LoadImage(id) : QByteArray();
}
