#pragma once

#include "platform/com/ComTypes.h"

#include <QString>

#include <cstdint>
#include <optional>

class CApplication;
class CSettingNode;
struct ICallback;
struct IConnectivityServer;

// What sending a configuration to a phone decides without a window: the
// check before sending, the texts of the phone fields, of the progress and of
// the server's results, and the client's side of one server connection and
// one transfer. The send dialogs and provana send show what it answers.

// The message for the first included setting that fails the value check, or
// empty when every included setting passes. Label and value are cut to their
// first 100 characters.
QString CheckBeforeSending(const CApplication *application, CSettingNode *root);
// text, cut to 100 characters followed by "..." when longer.
QString CutTo100(const QString &text);

// The phone's identity from the server's tagged text.
struct PhoneInfo
{
    QString epocName;
    QString imei;
    QString phoneNumber;
};
PhoneInfo ParsePhoneInfo(const QString &text);
// A phone field as shown: a space and the value, or "Not available".
QString PhoneFieldText(const CApplication *application, const QString &value);

// The message when another application holds the phone, naming it when the
// server names it.
QString PhoneHeldText(const CApplication *application, const QString &holderName);
// The text for a server failure. settingLabel and text matter for a rejected
// setting only; lastPhase and lastText are the transfer's last progress, for
// the failures that name the file being copied.
QString ServerErrorText(const CApplication *application, HRESULT result,
                        const QString &settingLabel = QString(), const QString &text = QString(),
                        int32_t lastPhase = 0, const QString &lastText = QString());
// The progress status for a phase, without trailing dots: the progress shows
// its own.
QString ProgressStatus(const CApplication *application, int32_t phase, const QString &text);

// A token that names the client's callback to the server.
uint32_t MakeClientToken();

// The client's connection: a name, a callback registered under a token.
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

    // Reserves the phone; on failure the message to show (empty on success).
    QString Reserve(const CApplication *application);
    // Hands the configuration of root to the server as it is written, with
    // the file it came from, and starts the transfer; on failure the phone is
    // released and the result returned.
    HRESULT Send(const CSettingNode *root, const QString &filePath);

private:
    IConnectivityServer *m_server = nullptr;
    uint32_t m_token = 0;
};

// One transfer as the client follows it: its last progress, whether an
// error was reported, and the answers kept for the rest of it.
class CSendTransfer
{
public:
    explicit CSendTransfer(const CApplication *application);
    void Reset();

    // The status to show for a progress report.
    QString Progress(int32_t phase, const QString &text);
    int32_t LastPhase() const { return m_lastPhase; }

    // Results that ask the user rather than report.
    static bool IsQuestion(HRESULT result);
    // Whether the item a question names is one of the file transfer
    // categories of root.
    static bool IsKnownItem(const CSettingNode *root, const QString &settingName);
    QString QuestionText(const QString &settingName, const QString &text) const;
    std::optional<int32_t> KeptAnswer(bool known) const;
    void KeepAnswer(bool known, int32_t answer);

    // An error report: noted for the end of the transfer; the text to show.
    // The server then gets ErrorAnswer.
    QString ErrorReport(HRESULT result, const QString &settingName, const QString &text);
    static constexpr int32_t kErrorAnswer = 4;

    // The text to show at the end, or empty: nothing on success, after an
    // error report, or for a cancel the user asked for while no question
    // was open.
    QString FinishedReport(HRESULT result, bool questionOpen) const;

private:
    const CApplication *m_application;
    int32_t m_lastPhase = 0;
    QString m_lastText;
    bool m_errorReported = false;
    std::optional<int32_t> m_keptKnown;
    std::optional<int32_t> m_keptUnknown;
};
