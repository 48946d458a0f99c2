#include "host/StartupCheck.h"

#include "document/ServerClient.h"
#include "host/ServerActivation.h"
#include "orvenet/sdk/ConnectivityServer.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

void ConnectOnce(ICallback *callback)
{
    IConnectivityServer *server = nullptr;
    if (FAILED(ActivateConnectivityServer(&server)) || !server)
        return;
    CServerClient client;
    client.Connect(server, callback);
    server->Release();
    client.Disconnect();
}

} // namespace

CStartupCheck::CStartupCheck(std::function<void()> bringForward, ICallback *callback)
    : m_bringForward(std::move(bringForward))
    , m_callback(callback)
{}

CStartupCheck::~CStartupCheck()
{
    if (m_worker.joinable())
        m_worker.join();
}

void CStartupCheck::Post()
{
    QCoreApplication::postEvent(this, new QEvent(QEvent::Type(kEventType)));
}

void CStartupCheck::customEvent(QEvent *event)
{
    if (int(event->type()) != kEventType || m_worker.joinable())
        return;
    if (m_bringForward)
        m_bringForward();
    ICallback *callback = m_callback;
    m_worker = std::thread([callback] { ConnectOnce(callback); });
}
