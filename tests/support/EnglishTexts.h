#pragma once

#include "language/LanguageTexts.h"
#include "platform/LanguageLibrary.h"
#include "support/TestApplication.h"

#include <QCoreApplication>

// An application and root as CTestTree makes them, with the English language
// library from the program folder in place of the fake texts. A text the
// library lacks that a dialog shows shows up in MissingTexts.
class CEnglishTexts
{
public:
    explicit CEnglishTexts(bool withDefaultContent = false)
        : m_tree(withDefaultContent)
    {
        m_tree.Application().SetLanguageLibrary(CLanguageTexts::Open(
            QCoreApplication::applicationDirPath() + u'/' + QLatin1String(kLanguageLibraryName)));
    }

    bool Loaded() { return m_tree.Application().GetLanguageLibrary() != nullptr; }
    const QStringList &MissingTexts() { return m_tree.Messages().shown; }
    // Every message box shown, a missing text's too.
    CRecordingMessages &Messages() { return m_tree.Messages(); }
    CSettingNode *Root() const { return m_tree.Root(); }
    const CApplication *Application() { return &m_tree.Application(); }

private:
    CTestTree m_tree;
};
