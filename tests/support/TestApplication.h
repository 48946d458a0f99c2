#pragma once

#include "settings/Application.h"
#include "settings/MessagePort.h"
#include "settings/SettingNode.h"
#include "settings/StringSource.h"
#include "settings/TreeState.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

// Texts by identifier from a table the test fills.
class CFakeStrings final : public IStringSource
{
public:
    QHash<unsigned, QString> texts;

    int LoadString(unsigned id, char16_t *buffer, int bufferMax) const override
    {
        buffer[0] = u'\0';
        const auto it = texts.find(id);
        if (it == texts.end())
            return 0;
        const int length = std::min<int>(static_cast<int>(it->size()), bufferMax - 1);
        std::copy_n(it->utf16(), length, buffer);
        buffer[length] = u'\0';
        return length;
    }
};

// Records every message box instead of showing it.
class CRecordingMessages final : public IMessagePort
{
public:
    QStringList shown;
    Result answer = ResultOk;

    Result ShowMessage(const QString &text, Buttons, Icon) override
    {
        shown.append(text);
        return answer;
    }
};

// An application with fake texts and a fresh root holding the default
// content, with a tree state of its own, as a document reset leaves them.
class CTestTree
{
public:
    explicit CTestTree(bool withDefaultContent = true)
    {
        auto strings = std::make_unique<CFakeStrings>();
        m_strings = strings.get();
        m_application.SetLanguageLibrary(std::move(strings));
        m_application.SetMessagePort(&m_messages);
        m_root = std::make_unique<CSettingNode>(&m_application);
        m_root->SetType(0);
        m_root->AttachTreeState(&m_state);
        if (withDefaultContent)
            m_root->CreateDefaultContent();
        m_state.modified = 0;
    }

    CSettingNode *Root() const { return m_root.get(); }
    CFakeStrings &Strings() { return *m_strings; }
    CRecordingMessages &Messages() { return m_messages; }
    CApplication &Application() { return m_application; }
    CTreeState &State() { return m_state; }

private:
    CApplication m_application;
    CFakeStrings *m_strings = nullptr;
    CRecordingMessages m_messages;
    CTreeState m_state;
    std::unique_ptr<CSettingNode> m_root;
};
