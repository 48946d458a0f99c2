#pragma once

#include "document/SendSessionPort.h"
#include "document/SendTexts.h"
#include "document/ServerClient.h"

#include <QString>

#include <cstdint>
#include <optional>

class CApplication;
class CSettingNode;
struct ICallback;
struct IConnectivityServer;

// One report of the connectivity server, as the thread that follows the
// transfer receives it.
struct ServerReport
{
    enum Kind { StateChanged, Error, Progress, Finished };
    Kind kind = StateChanged;
    HRESULT result = S_OK;
    // A question's answer mask, or the new connection state.
    uint32_t number = 0;
    int32_t phase = 0;
    int32_t percentage = 0;
    QString settingName;
    QString text;
};

// The conversation of one send with the connectivity server: connect,
// reserve the phone, stream the configuration, follow the progress, put the
// server's questions to the user (keeping an answer for the rest of the
// transfer when asked to, one for the configuration's file categories and
// one for other items), and report the end. What it shows and asks goes
// through the port.
class CSendSession
{
public:
    // Answers an error report: the server goes on past the failed item.
    static constexpr int32_t kErrorAnswer = 4;

    CSendSession(const CApplication *application, ISendSessionPort &port);

    // Connects to server (null: it could not be made) with callback for its
    // reports; on failure shows why.
    bool Connect(IConnectivityServer *server, ICallback *callback);
    void Disconnect();
    bool IsConnected() const { return m_client.Server() != nullptr; }
    bool IsPhoneConnected() const;
    // The connected phone's identity as the server tells it.
    PhoneInfo ReadPhone() const;

    enum class StartResult { Started, NotReserved, Failed };
    // Reserves the phone, hands over the configuration of root (filePath:
    // the file it came from) and starts the transfer; on failure shows why.
    StartResult Start(const CSettingNode *root, const QString &filePath,
                      const ScrambleKeySource &keys = RandomScrambleKey);
    bool IsTransferring() const { return m_transferring; }
    // Asks the server to cancel the transfer; its end follows as a report.
    void Cancel();

    // A report of the server, on the thread that owns the session.
    void Handle(const ServerReport &report);

private:
    void OnProgress(int32_t phase, const QString &text, int32_t percentage);
    void OnError(HRESULT result, uint32_t answers, const QString &settingName, const QString &text);
    void OnFinished(HRESULT result);
    std::optional<int32_t> &KeptAnswer(bool knownItem);
    void Answer(int32_t answer);
    void ResetTransfer();

    const CApplication *m_application;
    ISendSessionPort &m_port;
    CServerClient m_client;
    const CSettingNode *m_root = nullptr;
    bool m_transferring = false;
    bool m_cancelling = false;
    bool m_questionOpen = false;
    bool m_errorReported = false;
    int32_t m_lastPhase = 0;
    QString m_lastText;
    std::optional<int32_t> m_keptKnown;
    std::optional<int32_t> m_keptUnknown;
};
