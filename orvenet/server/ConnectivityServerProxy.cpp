#include "orvenet/server/ConnectivityServerProxy.h"

#include "orvenet/sdk/ConnectivityServer.h"
#include "orvenet/server/ServerConnection.h"
#include "orvenet/server/ServerPaths.h"
#include "platform/com/ComPtr.h"
#include "platform/com/TextBuffer.h"
#include "platform/com/UnknownImpl.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// Texts go over the socket in pieces of this many units at most, with so
// many appends at most on their way.
constexpr qsizetype kPieceUnits = 1 << 16;
constexpr size_t kAppendsOnTheirWay = 4;

class CConnectivityServerProxy final : public CUnknownImpl<IConnectivityServer>
{
public:
    CConnectivityServerProxy()
        : m_connection(std::make_unique<CServerConnection>())
    {
        // The handlers hold no reference: the destructor ends the connection's
        // reader before the proxy goes.
        m_connection->SetEventHandler([this](const Wire::Message &event) { OnEvent(event); });
        m_connection->SetClosedHandler([this] { OnClosed(); });
    }
    ~CConnectivityServerProxy() override
    {
        // The client let go: its callbacks hear nothing of the connection's
        // end, and a handler still running may answer through the connection.
        m_closing = true;
        m_connection->Stop();
    }

    bool Open(const QString &serverPath);

    // Events reach the callback registered under the token they carry.
    void OnEvent(const Wire::Message &event)
    {
        CComPtr<ICallback> callback = FindCallback(event.id);
        if (event.code == Wire::Finished)
            m_transferRunning = false;
        if (!callback)
            return;
        switch (event.code) {
        case Wire::StateChanged:
            callback->OnStateChanged(static_cast<uint32_t>(event.Number(0)));
            break;
        case Wire::Error:
            callback->OnError(event.Number(0), static_cast<uint32_t>(event.Number(1)),
                              Utf16(event.Text(2)), Utf16(event.Text(3)));
            break;
        case Wire::Progress:
            callback->OnProgress(event.Number(0), Utf16(event.Text(1)), event.Number(2));
            break;
        case Wire::Finished:
            callback->OnFinished(event.Number(0));
            break;
        }
    }

    // A server that went away ends a transfer it was running and leaves no
    // phone connected.
    void OnClosed()
    {
        if (m_closing)
            return;
        std::map<uint32_t, CComPtr<ICallback>> callbacks;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            callbacks = m_callbacks;
        }
        const bool running = m_transferRunning.exchange(false);
        for (auto &[token, callback] : callbacks) {
            if (running)
                callback->OnFinished(ServerFailure(ServerResult::ServerLost));
            callback->OnStateChanged(0);
        }
    }

    HRESULT SetClientName(const char16_t *name) override
    {
        if (!name)
            return E_POINTER;
        return m_connection->Call(Wire::SetClientName, {QString::fromUtf16(name)});
    }
    HRESULT RegisterCallback(ICallback *callback, uint32_t token) override
    {
        if (!callback)
            return E_POINTER;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_callbacks[token] = callback;
        }
        const HRESULT result =
            m_connection->Call(Wire::RegisterCallback, {static_cast<int32_t>(token)});
        if (FAILED(result)) {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_callbacks.erase(token);
        }
        return result;
    }
    HRESULT UnregisterCallback(uint32_t token) override
    {
        CComPtr<ICallback> dropped;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            const auto found = m_callbacks.find(token);
            if (found == m_callbacks.end())
                return E_INVALIDARG;
            dropped = std::move(found->second);
            m_callbacks.erase(found);
        }
        m_connection->Call(Wire::UnregisterCallback, {static_cast<int32_t>(token)});
        return S_OK;
    }
    HRESULT GetConnectionState(uint32_t *flags) override
    {
        if (!flags)
            return E_POINTER;
        *flags = 0;
        Wire::Message response;
        const HRESULT result = m_connection->Call(Wire::GetConnectionState, {}, &response);
        if (SUCCEEDED(result))
            *flags = static_cast<uint32_t>(response.Number(1));
        return result;
    }
    HRESULT GetPhoneInfo(char16_t *buffer, uint32_t size, uint32_t *length) override
    {
        return GetText(Wire::GetPhoneInfo, buffer, size, length);
    }
    HRESULT GetHolderName(char16_t *buffer, uint32_t size, uint32_t *length) override
    {
        return GetText(Wire::GetHolderName, buffer, size, length);
    }
    HRESULT ReservePhone() override { return m_connection->Call(Wire::ReservePhone); }
    HRESULT ReleasePhone() override { return m_connection->Call(Wire::ReleasePhone); }
    HRESULT CancelTransfer() override { return m_connection->Call(Wire::CancelTransfer); }
    HRESULT AnswerQuestion(int32_t answer) override
    {
        return m_connection->Call(Wire::AnswerQuestion, {answer});
    }
    HRESULT SetConfiguration(const char16_t *configuration, const char16_t *filePath) override
    {
        if (!configuration)
            return E_POINTER;
        AwaitAppends(0);
        const QString path = filePath ? QString::fromUtf16(filePath) : QString();
        const HRESULT result = m_connection->Call(Wire::SetConfiguration, {QString(), path});
        if (FAILED(result))
            return result;
        qsizetype length = 0;
        while (configuration[length])
            ++length;
        return AppendConfiguration(configuration, static_cast<uint32_t>(length));
    }
    // The pieces are on their way while the client makes the next ones: a
    // piece the server could not store fails a later append, or the start.
    HRESULT AppendConfiguration(const char16_t *text, uint32_t length) override
    {
        if (!text && length)
            return E_POINTER;
        const QStringView all(text, length);
        qsizetype from = 0;
        while (from < all.size()) {
            qsizetype size = std::min(kPieceUnits, all.size() - from);
            // A surrogate pair stays in one piece.
            if (from + size < all.size() && all.at(from + size - 1).isHighSurrogate())
                --size;
            if (const HRESULT result = AwaitAppends(kAppendsOnTheirWay - 1); FAILED(result))
                return result;
            const uint32_t id =
                m_connection->Post(Wire::AppendConfiguration, {all.mid(from, size).toString()});
            if (id == 0)
                return RPC_E_DISCONNECTED;
            m_appends.push_back(id);
            from += size;
        }
        return S_OK;
    }
    HRESULT StartTransfer() override
    {
        if (const HRESULT result = AwaitAppends(0); FAILED(result))
            return result;
        m_transferRunning = true;
        const HRESULT result = m_connection->Call(Wire::StartTransfer);
        if (FAILED(result))
            m_transferRunning = false;
        return result;
    }

private:
    // Waits until at most `left` appends are on their way: the first
    // failure among those waited for, once all of them have answered.
    HRESULT AwaitAppends(size_t left)
    {
        HRESULT result = S_OK;
        while (m_appends.size() > left) {
            const HRESULT answer = m_connection->Await(m_appends.front());
            m_appends.pop_front();
            if (FAILED(answer) && SUCCEEDED(result)) {
                result = answer;
                left = 0;
            }
        }
        return result;
    }

    static const char16_t *Utf16(const QString &text)
    {
        return reinterpret_cast<const char16_t *>(text.utf16());
    }

    CComPtr<ICallback> FindCallback(uint32_t token)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_callbacks.find(token);
        return found == m_callbacks.end() ? CComPtr<ICallback>() : found->second;
    }

    HRESULT GetText(uint16_t operation, char16_t *buffer, uint32_t size, uint32_t *length)
    {
        if (!length)
            return E_POINTER;
        Wire::Message response;
        const HRESULT result = m_connection->Call(operation, {}, &response);
        if (FAILED(result)) {
            *length = 0;
            if (buffer && size)
                buffer[0] = u'\0';
            return result;
        }
        const QString text = response.Text(1);
        return CopyTextToBuffer(reinterpret_cast<const char16_t *>(text.utf16()),
                                static_cast<uint32_t>(text.size()), buffer, size, length);
    }

    std::unique_ptr<CServerConnection> m_connection;
    std::mutex m_mutex;
    std::map<uint32_t, CComPtr<ICallback>> m_callbacks;
    std::atomic<bool> m_transferRunning{false};
    std::atomic<bool> m_closing{false};
    // The ids of the appends sent and not yet answered, oldest first; the
    // appends of a configuration come from one thread.
    std::deque<uint32_t> m_appends;
};

bool CConnectivityServerProxy::Open(const QString &serverPath)
{
    const QString socket = ServerSocketPath();
    if (m_connection->Connect(socket))
        return true;
    if (serverPath.isEmpty() || !QFileInfo(serverPath).isExecutable())
        return false;
    // The server outlives its starter and must not hold the starter's output
    // open: a shell reading that output would wait for the server to end.
    QProcess server;
    server.setProgram(serverPath);
    server.setArguments({QStringLiteral("--activated")});
    server.setStandardInputFile(QProcess::nullDevice());
    server.setStandardOutputFile(QProcess::nullDevice());
    server.setStandardErrorFile(QProcess::nullDevice());
    if (!server.startDetached())
        return false;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kServerStartMs) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (m_connection->Connect(socket))
            return true;
    }
    return false;
}

} // namespace

HRESULT CreateLocalServerProxy(const CLSID &clsid, const QString &serverPath, const IID &iid,
                               void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!(clsid == CLSID_ConnectivityServer))
        return REGDB_E_CLASSNOTREG;
    if (!(iid == IID_IUnknown) && !(iid == IID_IConnectivityServer))
        return E_NOINTERFACE;
    CComPtr<IConnectivityServer> proxy;
    const HRESULT made = CreateComObject<CConnectivityServerProxy>(nullptr, IID_IConnectivityServer,
                                                                   proxy.ReceiveVoid());
    if (FAILED(made))
        return made;
    if (!static_cast<CConnectivityServerProxy *>(proxy.Get())->Open(serverPath))
        return CO_E_SERVER_EXEC_FAILURE;
    return proxy->QueryInterface(iid, object);
}
