#include "orvenet/server/ServerConnection.h"

#include <QFile>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

CServerConnection::CServerConnection() = default;

CServerConnection::~CServerConnection()
{
    Stop();
    if (m_socket >= 0)
        ::close(m_socket);
}

void CServerConnection::Stop()
{
    Close();
    if (m_reader.joinable()) {
        // A handler may drop the last reference to its connection: its
        // thread then ends without touching the connection again.
        if (std::this_thread::get_id() == m_readerId) {
            *m_gone = true;
            m_reader.detach();
        } else
            m_reader.join();
    }
}

bool CServerConnection::Connect(const QString &socketPath)
{
    const QByteArray path = QFile::encodeName(socketPath);
    sockaddr_un address = {};
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), path.size());
    m_socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_socket < 0)
        return false;
    if (::connect(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(m_socket);
        m_socket = -1;
        return false;
    }
    // A server that stops reading must not hold a writer for ever.
    const timeval timeout = {kReplyTimeoutMs / 1000, 0};
    setsockopt(m_socket, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    m_open = true;
    m_reader = std::thread([this, gone = m_gone] { ReadLoop(*gone); });
    m_readerId = m_reader.get_id();
    return true;
}

bool CServerConnection::IsOpen() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_open;
}

void CServerConnection::Close()
{
    if (m_socket >= 0)
        ::shutdown(m_socket, SHUT_RDWR);
}

bool CServerConnection::Write(const QByteArray &frame)
{
    const std::lock_guard<std::mutex> lock(m_writeMutex);
    qsizetype written = 0;
    while (written < frame.size()) {
        const ssize_t count =
            ::send(m_socket, frame.constData() + written, frame.size() - written, MSG_NOSIGNAL);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            ::shutdown(m_socket, SHUT_RDWR);
            return false;
        }
        written += count;
    }
    return true;
}

HRESULT CServerConnection::Call(uint16_t operation, const QList<Wire::Field> &arguments,
                                Wire::Message *response)
{
    return Await(Post(operation, arguments), response);
}

uint32_t CServerConnection::Post(uint16_t operation, const QList<Wire::Field> &arguments)
{
    uint32_t id = 0;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_open)
            return 0;
        id = m_nextId++;
        if (id == 0)
            id = m_nextId++;
    }
    Wire::CMessageWriter writer(Wire::Kind::Request, id, operation);
    writer.Fields(arguments);
    return Write(writer.Frame()) ? id : 0;
}

HRESULT CServerConnection::Await(uint32_t id, Wire::Message *response)
{
    if (id == 0)
        return RPC_E_DISCONNECTED;
    if (std::this_thread::get_id() == m_readerId)
        return S_OK;
    std::unique_lock<std::mutex> lock(m_mutex);
    const bool answered = m_replied.wait_for(lock, std::chrono::milliseconds(kReplyTimeoutMs),
                                             [&] { return m_responses.count(id) > 0 || !m_open; });
    const auto found = m_responses.find(id);
    if (!answered || found == m_responses.end()) {
        lock.unlock();
        if (!answered)
            Close();
        return RPC_E_DISCONNECTED;
    }
    Wire::Message message = std::move(found->second);
    m_responses.erase(found);
    const HRESULT result = message.Number(0);
    if (response)
        *response = std::move(message);
    return result;
}

void CServerConnection::ReadLoop(const std::atomic<bool> &gone)
{
    Wire::CFrameDecoder decoder;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::recv(m_socket, buffer, sizeof buffer, 0);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        decoder.Append(buffer, count);
        QByteArray body;
        Wire::CFrameDecoder::Result result;
        while ((result = decoder.Next(body)) == Wire::CFrameDecoder::Result::Body) {
            std::optional<Wire::Message> message = Wire::DecodeReply(body);
            if (!message)
                continue;
            if (message->kind == Wire::Kind::Event) {
                // The handler may destroy this connection and itself with it.
                if (const EventHandler handler = m_onEvent) {
                    handler(*message);
                    if (gone)
                        return;
                }
                continue;
            }
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_responses[message->id] = std::move(*message);
            m_replied.notify_all();
        }
        if (result == Wire::CFrameDecoder::Result::Bad)
            break;
    }
    Closed();
}

void CServerConnection::Closed()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_open = false;
        m_replied.notify_all();
    }
    if (const ClosedHandler handler = m_onClosed)
        handler();
}
