#pragma once

#include "orvenet/server/Protocol.h"
#include "orvenet/server/Transfer.h"

#include <QObject>
#include <QTimer>

#include <map>
#include <memory>

class CEmulatedPhone;
class QFile;
class QLocalServer;
class QLocalSocket;

// The connectivity server: serves its clients over the local socket on the
// main thread, one transfer at a time on the transfer's own thread, and the
// phone's controls. A client that breaks the protocol is dropped.
class CConnectivityServer final : public QObject, public ITransferSink
{
    Q_OBJECT

public:
    // idleExitMs > 0: the server ends after that long without clients.
    CConnectivityServer(CEmulatedPhone &phone, int idleExitMs);
    ~CConnectivityServer() override;

    bool Listen(QString &error);

private:
    struct Client;

    void Accept();
    void Read(quint64 clientId);
    void Drop(quint64 clientId);
    void Handle(Client &client, const Wire::Message &request);
    HRESULT HandlePhoneControl(const Wire::Message &request, QList<Wire::Field> &outputs);
    // S_OK when the phone is connected and neither held by an application
    // nor reserved by another client.
    HRESULT CanUsePhone(const Client &client) const;
    HRESULT Reserve(Client &client);
    HRESULT StartTransfer(Client &client);
    void Reply(Client &client, const Wire::Message &request, HRESULT result,
               const QList<Wire::Field> &outputs);
    void SendEvent(Client &client, uint16_t event, const QList<Wire::Field> &fields);
    void BroadcastState();
    QString HolderName() const;
    QString StatusText() const;
    void UpdateIdleTimer();

    // ITransferSink: called on the transfer's thread, carried to the main one.
    void Progress(int32_t phase, const QString &text, int32_t percentage) override;
    void Error(HRESULT result, uint32_t number, const QString &settingName,
               const QString &text) override;
    void Finished(HRESULT result, const ActivityRow &row) override;
    void SendTransferEvent(uint16_t event, const QList<Wire::Field> &fields);

    CEmulatedPhone &m_phone;
    QLocalServer *m_server = nullptr;
    std::map<quint64, std::unique_ptr<Client>> m_clients;
    quint64 m_nextClientId = 1;
    quint64 m_reserver = 0;
    quint64 m_transferOwner = 0;
    std::unique_ptr<CTransfer> m_transfer;
    InjectedFault m_fault;
    int m_delayMs = 0;
    int m_idleExitMs = 0;
    QTimer m_idle;
};
