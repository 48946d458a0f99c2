#include "orvenet/server/ConnectivityServer.h"

#include "orvenet/sdk/ConnectivityServer.h"
#include "orvenet/server/EmulatedPhone.h"
#include "orvenet/server/ServerPaths.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRegularExpression>

struct CConnectivityServer::Client
{
    quint64 id = 0;
    QLocalSocket *socket = nullptr;
    Wire::CFrameDecoder decoder;
    QString name;
    QList<uint32_t> tokens;
    std::unique_ptr<QFile> configuration;
    QString configurationFile;
    // The start of the configuration until its XML declaration is whole.
    QString head;
    bool headWritten = false;

    // Stores a piece of the configuration in UTF-8; false when it cannot.
    // Once a piece is lost, so is the configuration: the client may have
    // sent more pieces before it heard.
    bool Receive(const QString &piece, bool last = false)
    {
        if (!configuration || !configuration->isOpen())
            return false;
        // The last pieces may wait in the file's buffer: only the flush
        // tells whether they were stored.
        if (Store(piece, last) && (!last || configuration->flush()))
            return true;
        configuration->close();
        return false;
    }

private:
    static constexpr qsizetype kDeclarationUnits = 256;

    bool Store(const QString &piece, bool last)
    {
        if (headWritten)
            return Write(piece);
        head += piece;
        const bool whole = head.contains(u'>') || head.size() > kDeclarationUnits;
        if (!whole && !last)
            return true;
        headWritten = true;
        return Write(DeclaredAsUtf8(std::exchange(head, QString())));
    }

    bool Write(const QString &piece)
    {
        const QByteArray bytes = piece.toUtf8();
        return configuration->write(bytes) == bytes.size();
    }

    // The text is kept in UTF-8, so its declaration must say so.
    static QString DeclaredAsUtf8(QString text)
    {
        static const QRegularExpression encoding(
            QStringLiteral("^(\\s*<\\?xml\\s[^>]*?encoding\\s*=\\s*)([\"'])[^\"']*\\2"));
        return text.replace(encoding, QStringLiteral("\\1\\2UTF-8\\2"));
    }
};

CConnectivityServer::CConnectivityServer(CEmulatedPhone &phone, int idleExitMs)
    : m_phone(phone)
    , m_idleExitMs(idleExitMs)
{
    m_idle.setSingleShot(true);
    connect(&m_idle, &QTimer::timeout, this, [this] {
        if (m_clients.empty() && !m_transfer)
            QCoreApplication::quit();
    });
}

CConnectivityServer::~CConnectivityServer()
{
    if (m_transfer)
        m_transfer->Cancel();
    m_transfer.reset();
    for (auto &[id, client] : m_clients) {
        if (client->configuration)
            client->configuration->remove();
    }
}

bool CConnectivityServer::Listen(QString &error)
{
    if (!PrepareRuntimeFolder(error))
        return false;
    const QString path = ServerSocketPath();
    {
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(1000)) {
            error = QStringLiteral("a server already answers on %1").arg(path);
            return false;
        }
    }
    QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    if (!m_server->listen(path)) {
        error = m_server->errorString();
        return false;
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    connect(m_server, &QLocalServer::newConnection, this, &CConnectivityServer::Accept);
    UpdateIdleTimer();
    return true;
}

void CConnectivityServer::UpdateIdleTimer()
{
    if (m_idleExitMs <= 0)
        return;
    if (m_clients.empty())
        m_idle.start(m_idleExitMs);
    else
        m_idle.stop();
}

void CConnectivityServer::Accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        auto client = std::make_unique<Client>();
        client->id = m_nextClientId++;
        client->socket = socket;
        const quint64 id = client->id;
        m_clients.emplace(id, std::move(client));
        connect(socket, &QLocalSocket::readyRead, this, [this, id] { Read(id); });
        connect(socket, &QLocalSocket::disconnected, this, [this, id] { Drop(id); });
    }
    UpdateIdleTimer();
}

void CConnectivityServer::Read(quint64 clientId)
{
    const auto found = m_clients.find(clientId);
    if (found == m_clients.end())
        return;
    Client &client = *found->second;
    const QByteArray bytes = client.socket->readAll();
    client.decoder.Append(bytes.constData(), bytes.size());
    QByteArray body;
    Wire::CFrameDecoder::Result result;
    while ((result = client.decoder.Next(body)) == Wire::CFrameDecoder::Result::Body) {
        const std::optional<Wire::Message> request = Wire::DecodeRequest(body);
        if (!request)
            break;
        Handle(client, *request);
        // A request may end the client (or the server).
        if (!m_clients.count(clientId))
            return;
    }
    if (result != Wire::CFrameDecoder::Result::NeedMore)
        Drop(clientId);
}

void CConnectivityServer::Drop(quint64 clientId)
{
    const auto found = m_clients.find(clientId);
    if (found == m_clients.end())
        return;
    std::unique_ptr<Client> client = std::move(found->second);
    m_clients.erase(found);
    if (m_transferOwner == clientId && m_transfer)
        m_transfer->Cancel();
    if (m_reserver == clientId)
        m_reserver = 0;
    if (client->configuration)
        client->configuration->remove();
    client->socket->disconnect(this);
    client->socket->abort();
    client->socket->deleteLater();
    UpdateIdleTimer();
}

void CConnectivityServer::Reply(Client &client, const Wire::Message &request, HRESULT result,
                                const QList<Wire::Field> &outputs)
{
    Wire::CMessageWriter writer(Wire::Kind::Response, request.id, request.code);
    writer.Number(result);
    writer.Fields(outputs);
    client.socket->write(writer.Frame());
}

void CConnectivityServer::SendEvent(Client &client, uint16_t event,
                                    const QList<Wire::Field> &fields)
{
    for (uint32_t token : client.tokens) {
        Wire::CMessageWriter writer(Wire::Kind::Event, token, event);
        writer.Fields(fields);
        client.socket->write(writer.Frame());
    }
}

void CConnectivityServer::BroadcastState()
{
    const int32_t state = m_phone.IsConnected() ? int32_t(ConnectionState::Connected) : 0;
    for (auto &[id, client] : m_clients)
        SendEvent(*client, Wire::StateChanged, {state});
    if (m_transfer)
        m_transfer->Wake();
}

QString CConnectivityServer::HolderName() const
{
    const QString holder = m_phone.Holder();
    if (!holder.isEmpty() || !m_reserver)
        return holder;
    const auto found = m_clients.find(m_reserver);
    return found == m_clients.end() ? QString() : found->second->name;
}

void CConnectivityServer::Handle(Client &client, const Wire::Message &request)
{
    HRESULT result = S_OK;
    QList<Wire::Field> outputs;
    switch (request.code) {
    case Wire::SetClientName:
        client.name = request.Text(0);
        break;
    case Wire::RegisterCallback:
        if (!client.tokens.contains(uint32_t(request.Number(0))))
            client.tokens.append(uint32_t(request.Number(0)));
        break;
    case Wire::UnregisterCallback:
        if (!client.tokens.removeOne(uint32_t(request.Number(0))))
            result = E_INVALIDARG;
        break;
    case Wire::GetConnectionState:
        outputs = {m_phone.IsConnected() ? int32_t(ConnectionState::Connected) : 0};
        break;
    case Wire::GetPhoneInfo:
        outputs = {m_phone.InfoText()};
        break;
    case Wire::GetHolderName:
        outputs = {HolderName()};
        break;
    case Wire::ReservePhone:
        result = Reserve(client);
        break;
    case Wire::ReleasePhone:
        if (m_reserver == client.id)
            m_reserver = 0;
        break;
    case Wire::CancelTransfer:
        if (m_transfer && m_transferOwner == client.id)
            m_transfer->Cancel();
        break;
    case Wire::AnswerQuestion:
        if (m_transfer && m_transferOwner == client.id)
            m_transfer->Answer(request.Number(0));
        break;
    case Wire::SetConfiguration:
        client.configuration = std::make_unique<QFile>(
            m_phone.Folder() + QStringLiteral("/received/.client-%1").arg(client.id));
        client.configurationFile = request.Text(1);
        client.head.clear();
        client.headWritten = false;
        if (!client.configuration->open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            !client.Receive(request.Text(0)))
            result = ServerFailure(ServerResult::NoConfiguration);
        break;
    case Wire::AppendConfiguration:
        if (!client.Receive(request.Text(0)))
            result = ServerFailure(ServerResult::NoConfiguration);
        break;
    case Wire::StartTransfer:
        result = StartTransfer(client);
        break;
    default:
        result = HandlePhoneControl(request, outputs);
        break;
    }
    Reply(client, request, result, outputs);
    if (request.code == Wire::StopServer) {
        client.socket->flush();
        QCoreApplication::quit();
    }
}

HRESULT CConnectivityServer::HandlePhoneControl(const Wire::Message &request,
                                                QList<Wire::Field> &outputs)
{
    switch (request.code) {
    case Wire::PhoneStatus:
        outputs = {StatusText()};
        break;
    case Wire::PhoneConnect:
    case Wire::PhoneDisconnect:
        m_phone.SetConnected(request.code == Wire::PhoneConnect);
        BroadcastState();
        break;
    case Wire::PhoneIdentity:
        m_phone.SetIdentity({request.Text(0), request.Text(1), request.Text(2)});
        BroadcastState();
        break;
    case Wire::PhoneHold:
        m_phone.SetHolder(request.Text(0));
        break;
    case Wire::PhoneRelease:
        m_phone.SetHolder(QString());
        m_reserver = 0;
        break;
    case Wire::PhoneFail:
        m_fault = {request.Number(0), request.Number(1)};
        break;
    case Wire::PhoneDelay:
        m_delayMs = std::max(0, request.Number(0));
        break;
    case Wire::StopServer:
        break;
    default:
        return E_NOTIMPL;
    }
    return S_OK;
}

HRESULT CConnectivityServer::CanUsePhone(const Client &client) const
{
    if (!m_phone.IsConnected())
        return ServerFailure(ServerResult::NoPhone);
    if (!m_phone.Holder().isEmpty() || (m_reserver && m_reserver != client.id))
        return ServerFailure(ServerResult::PhoneHeld);
    return S_OK;
}

HRESULT CConnectivityServer::Reserve(Client &client)
{
    const HRESULT result = CanUsePhone(client);
    if (SUCCEEDED(result))
        m_reserver = client.id;
    return result;
}

HRESULT CConnectivityServer::StartTransfer(Client &client)
{
    if (const HRESULT refused = CanUsePhone(client); FAILED(refused))
        return refused;
    if (m_transfer)
        return ServerFailure(ServerResult::PhoneBusy);
    if (!client.Receive(QString(), true))
        return ServerFailure(ServerResult::NoConfiguration);
    client.configuration->close();
    const QString received = m_phone.NextReceivedPath();
    if (!client.configuration->rename(received))
        return ServerFailure(ServerResult::NoConfiguration);
    client.configuration.reset();
    m_transferOwner = client.id;
    m_transfer = std::make_unique<CTransfer>(m_phone, *this, received, client.configurationFile,
                                             std::exchange(m_fault, {}), m_delayMs);
    m_transfer->Start();
    return S_OK;
}

QString CConnectivityServer::StatusText() const
{
    const CEmulatedPhone::Identity identity = m_phone.GetIdentity();
    QStringList lines = {
        QStringLiteral("connected: %1").arg(m_phone.IsConnected() ? "yes" : "no"),
        QStringLiteral("EPOC name: %1").arg(identity.epocName),
        QStringLiteral("IMEI: %1").arg(identity.imei),
        QStringLiteral("phone number: %1").arg(identity.phoneNumber),
        QStringLiteral("holder: %1").arg(HolderName()),
        QStringLiteral("transfer: %1").arg(m_transfer ? "running" : "none"),
        QStringLiteral("clients: %1").arg(m_clients.size()),
        QStringLiteral("phone folder: %1").arg(m_phone.Folder()),
    };
    return lines.join(u'\n');
}

void CConnectivityServer::SendTransferEvent(uint16_t event, const QList<Wire::Field> &fields)
{
    QMetaObject::invokeMethod(
        this,
        [this, event, fields] {
            const auto found = m_clients.find(m_transferOwner);
            if (found != m_clients.end())
                SendEvent(*found->second, event, fields);
        },
        Qt::QueuedConnection);
}

void CConnectivityServer::Progress(int32_t phase, const QString &text, int32_t percentage)
{
    SendTransferEvent(Wire::Progress, {phase, text, percentage});
}

void CConnectivityServer::Error(HRESULT result, uint32_t number, const QString &settingName,
                                const QString &text)
{
    SendTransferEvent(Wire::Error, {result, int32_t(number), settingName, text});
}

void CConnectivityServer::Finished(HRESULT result, const ActivityRow &row)
{
    AppendActivityRow(ActivityLogPath(), row);
    // The transfer is gone before its client hears of the end, so that the
    // client can start the next one at once.
    QMetaObject::invokeMethod(
        this,
        [this, result] {
            const quint64 owner = std::exchange(m_transferOwner, 0);
            m_transfer.reset();
            const auto found = m_clients.find(owner);
            if (found != m_clients.end())
                SendEvent(*found->second, Wire::Finished, {result});
            UpdateIdleTimer();
        },
        Qt::QueuedConnection);
}
