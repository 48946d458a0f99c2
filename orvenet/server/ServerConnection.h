#pragma once

#include "orvenet/server/Protocol.h"
#include "platform/com/ComTypes.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

// A client's connection to the connectivity server's socket. Calls wait for
// their response; events and the end of the connection are handed to the
// handlers on the connection's own reading thread. A call made on that
// thread (from an event handler) is sent without waiting, so that a handler
// can answer the server.
class CServerConnection
{
public:
    using EventHandler = std::function<void(const Wire::Message &event)>;
    using ClosedHandler = std::function<void()>;

    CServerConnection();
    ~CServerConnection();
    CServerConnection(const CServerConnection &) = delete;
    CServerConnection &operator=(const CServerConnection &) = delete;

    // Set before Connect.
    void SetEventHandler(EventHandler handler) { m_onEvent = std::move(handler); }
    void SetClosedHandler(ClosedHandler handler) { m_onClosed = std::move(handler); }

    // Connects at once or fails: false when nobody listens on the socket.
    bool Connect(const QString &socketPath);
    bool IsOpen() const;
    void Close();
    // Closes and waits until the handlers have returned, so that what they
    // use may go.
    void Stop();

    // The result the server gave, or RPC_E_DISCONNECTED when the connection
    // is gone or went silent; *response receives the whole response.
    HRESULT Call(uint16_t operation, const QList<Wire::Field> &arguments = {},
                 Wire::Message *response = nullptr);
    // A call in two halves, so that several may be on their way: Post sends
    // the request and gives its id (0 when the connection is gone), Await
    // waits for that id's response as Call does.
    uint32_t Post(uint16_t operation, const QList<Wire::Field> &arguments = {});
    HRESULT Await(uint32_t id, Wire::Message *response = nullptr);

    // How long a call waits for its response before the server counts as dead.
    static constexpr int kReplyTimeoutMs = 15000;

private:
    bool Write(const QByteArray &frame);
    void ReadLoop(const std::atomic<bool> &gone);
    void Closed();

    int m_socket = -1;
    std::thread m_reader;
    std::thread::id m_readerId;
    // Shared with the reading thread, which outlives a connection that one of
    // its handlers destroyed.
    std::shared_ptr<std::atomic<bool>> m_gone = std::make_shared<std::atomic<bool>>(false);
    EventHandler m_onEvent;
    ClosedHandler m_onClosed;

    mutable std::mutex m_mutex;
    std::condition_variable m_replied;
    std::map<uint32_t, Wire::Message> m_responses;
    uint32_t m_nextId = 1;
    bool m_open = false;
    std::mutex m_writeMutex;
};
