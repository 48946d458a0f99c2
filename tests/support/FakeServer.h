#pragma once

#include "orvenet/sdk/ConnectivityServer.h"
#include "platform/com/TextBuffer.h"
#include "platform/com/UnknownImpl.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

// A connectivity server in this process, called from whichever thread the
// client uses: it records the calls, answers as told and keeps the callback
// the client registered. A call starting with the text given to Stall waits
// until Resume, or with a time limit, fails as a server that went silent.
class CFakeServer final : public CUnknownImpl<IConnectivityServer>
{
public:
    bool connected = true;
    QString phoneInfo = QStringLiteral("<EPOCName>Ann's phone</EPOCName><IMEI>3520</IMEI>"
                                       "<PhoneNumber>+358 40 1234</PhoneNumber>");
    QString holder;
    HRESULT reserveResult = S_OK;
    HRESULT startResult = S_OK;
    HRESULT appendResult = S_OK;
    ICallback *callback = nullptr;
    uint32_t registered = 0;
    QString configuration;
    QString path;
    int appends = 0;
    QList<int32_t> answers;
    // Reports the server makes: the first step runs, queued on the test's
    // thread, when the transfer starts, each further one once a question is
    // answered, as the server waits for the answer before it goes on.
    QList<std::function<void()>> script;

    QStringList Calls()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls;
    }
    void Stall(const QString &call, int timeoutMs = 0)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stall = call;
        m_stallMs = timeoutMs;
    }
    void Resume()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stall.clear();
        m_resumed.notify_all();
    }

    HRESULT SetClientName(const char16_t *name) override
    {
        return Record(QStringLiteral("name ") + QString::fromUtf16(name));
    }
    HRESULT RegisterCallback(ICallback *made, uint32_t token) override
    {
        callback = made;
        registered = token;
        return Record(QStringLiteral("register"));
    }
    HRESULT UnregisterCallback(uint32_t token) override
    {
        callback = nullptr;
        return Record(token == registered ? QStringLiteral("unregister")
                                          : QStringLiteral("unregister other"));
    }
    HRESULT GetConnectionState(uint32_t *flags) override
    {
        *flags = connected ? uint32_t(ConnectionState::Connected) : 0u;
        return S_OK;
    }
    HRESULT GetPhoneInfo(char16_t *buffer, uint32_t size, uint32_t *length) override
    {
        return Copy(phoneInfo, buffer, size, length);
    }
    HRESULT GetHolderName(char16_t *buffer, uint32_t size, uint32_t *length) override
    {
        return Copy(holder, buffer, size, length);
    }
    HRESULT ReservePhone() override { return Or(Record(QStringLiteral("reserve")), reserveResult); }
    HRESULT ReleasePhone() override { return Record(QStringLiteral("release")); }
    HRESULT CancelTransfer() override { return Record(QStringLiteral("cancel")); }
    HRESULT AnswerQuestion(int32_t answer) override
    {
        answers << answer;
        Record(QStringLiteral("answer %1").arg(answer));
        RunNextStep();
        return S_OK;
    }
    HRESULT SetConfiguration(const char16_t *text, const char16_t *filePath) override
    {
        configuration = QString::fromUtf16(text);
        path = QString::fromUtf16(filePath);
        return S_OK;
    }
    HRESULT AppendConfiguration(const char16_t *piece, uint32_t length) override
    {
        ++appends;
        configuration += QStringView(piece, length);
        return Or(Record(QStringLiteral("append")), appendResult);
    }
    HRESULT StartTransfer() override
    {
        const HRESULT result = Or(Record(QStringLiteral("start")), startResult);
        if (SUCCEEDED(result))
            RunNextStep();
        return result;
    }

private:
    static HRESULT Or(HRESULT recorded, HRESULT told) { return FAILED(recorded) ? recorded : told; }
    static HRESULT Copy(const QString &text, char16_t *buffer, uint32_t size, uint32_t *length)
    {
        return CopyTextToBuffer(reinterpret_cast<const char16_t *>(text.utf16()),
                                uint32_t(text.size()), buffer, size, length);
    }
    HRESULT Record(const QString &call)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_calls << call;
        const auto free = [&] {
            return m_stall.isEmpty() || !call.startsWith(m_stall);
        };
        if (m_stallMs <= 0) {
            m_resumed.wait(lock, free);
            return S_OK;
        }
        return m_resumed.wait_for(lock, std::chrono::milliseconds(m_stallMs), free)
                   ? S_OK
                   : RPC_E_DISCONNECTED;
    }
    void RunNextStep()
    {
        if (!script.isEmpty())
            QMetaObject::invokeMethod(QCoreApplication::instance(), script.takeFirst(),
                                      Qt::QueuedConnection);
    }

    std::mutex m_mutex;
    std::condition_variable m_resumed;
    QStringList m_calls;
    QString m_stall;
    int m_stallMs = 0;
};
