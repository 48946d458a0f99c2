#pragma once

#include "config/PasswordScrambler.h"
#include "platform/com/ComTypes.h"

#include <QString>

#include <atomic>
#include <cstdint>

class CSettingNode;
struct ICallback;
struct IConnectivityServer;

// A token that names the client's callback to the server.
uint32_t MakeClientToken();

// The client's connection to the connectivity server: a name, a callback
// registered under a token.
class CServerClient
{
public:
    static constexpr const char16_t *kClientName = u"Provana User Interface";

    ~CServerClient();
    // Takes a reference to server. Fails with the server's result (the
    // caller shows its text); then nothing is registered.
    HRESULT Connect(IConnectivityServer *server, ICallback *callback);
    // Unregisters the callback and lets the server go.
    void Disconnect();
    IConnectivityServer *Server() const { return m_server; }
    uint32_t Token() const { return m_token; }

    // Reserves the phone; when another application holds it, *holder
    // receives the name the server gives.
    HRESULT Reserve(QString *holder = nullptr);
    // Hands the configuration of root to the server as it is written, with
    // the file it came from, and starts the transfer; on failure the phone is
    // released and the result returned. Passwords are scrambled with keys
    // from keys. When *cancelled turns true the text stops at the next piece
    // and the result is the server's cancelled failure.
    HRESULT Send(const CSettingNode *root, const QString &filePath,
                 const ScrambleKeySource &keys = RandomScrambleKey,
                 const std::atomic<bool> *cancelled = nullptr);

private:
    IConnectivityServer *m_server = nullptr;
    uint32_t m_token = 0;
};
