#pragma once

#include "settings/Application.h"
#include "settings/MessagePort.h"
#include "settings/SettingNode.h"
#include "settings/StringSource.h"

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

// A current application with fake texts and a fresh current root holding the
// default content, as a document reset leaves them.
class CTestTree
{
public:
    explicit CTestTree(bool withDefaultContent = true)
    {
        auto strings = std::make_unique<CFakeStrings>();
        m_strings = strings.get();
        m_application.SetLanguageLibrary(std::move(strings));
        m_application.SetMessagePort(&m_messages);
        CApplication::SetCurrent(&m_application);
        m_root = std::make_unique<CSettingNode>();
        m_root->SetType(0);
        CSettingNode::SetCurrentRoot(m_root.get());
        if (withDefaultContent)
            m_root->CreateDefaultContent();
        CSettingNode::SetModified(0);
        CSettingNode::SetLastError(QString());
    }
    ~CTestTree()
    {
        CSettingNode::SetCurrentRoot(nullptr);
        CApplication::SetCurrent(nullptr);
    }

    CSettingNode *Root() const { return m_root.get(); }
    CFakeStrings &Strings() { return *m_strings; }
    CRecordingMessages &Messages() { return m_messages; }
    CApplication &Application() { return m_application; }

private:
    CApplication m_application;
    CFakeStrings *m_strings = nullptr;
    CRecordingMessages m_messages;
    std::unique_ptr<CSettingNode> m_root;
};
