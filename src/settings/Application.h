#pragma once

#include <memory>

class IMessagePort;
class IStringSource;

// The application object: it owns the language library and knows how to show
// a message. A tree's root is made with it, its nodes take it from their
// parent and load their labels through it.
class CApplication
{
public:
    CApplication();
    ~CApplication();
    CApplication(const CApplication &) = delete;
    CApplication &operator=(const CApplication &) = delete;

    const IStringSource *GetLanguageLibrary() const { return m_languageLibrary.get(); }
    void SetLanguageLibrary(std::unique_ptr<IStringSource> library);

    IMessagePort *GetMessagePort() const { return m_messagePort; }
    void SetMessagePort(IMessagePort *port) { m_messagePort = port; }

private:
    std::unique_ptr<IStringSource> m_languageLibrary;
    IMessagePort *m_messagePort = nullptr;
};
