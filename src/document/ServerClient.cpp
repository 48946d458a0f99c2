#include "document/ServerClient.h"

#include "config/ConfigWriter.h"
#include "orvenet/sdk/ConnectivityServer.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <algorithm>
#include <iterator>
#include <utility>

uint32_t MakeClientToken()
{
    const auto clock = static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch());
    const uint32_t random = QRandomGenerator::global()->generate() & 0xFFFF;
    const uint32_t token = (clock & 0xFFFF) << 16 | random;
    return token ? token : 1;
}

CServerClient::~CServerClient()
{
    Disconnect();
}

HRESULT CServerClient::Connect(IConnectivityServer *server, ICallback *callback)
{
    Disconnect();
    if (!server || !callback)
        return E_POINTER;
    m_server = server;
    m_server->AddRef();
    HRESULT result = m_server->SetClientName(kClientName);
    const uint32_t token = MakeClientToken();
    if (SUCCEEDED(result))
        result = m_server->RegisterCallback(callback, token);
    if (FAILED(result)) {
        Disconnect();
        return result;
    }
    m_token = token;
    return S_OK;
}

void CServerClient::Disconnect()
{
    if (m_server && m_token)
        m_server->UnregisterCallback(m_token);
    m_token = 0;
    if (m_server)
        std::exchange(m_server, nullptr)->Release();
}

HRESULT CServerClient::Reserve(QString *holder)
{
    if (!m_server)
        return RPC_E_DISCONNECTED;
    const HRESULT result = m_server->ReservePhone();
    if (HRESULT_CODE(result) != ServerResult::PhoneHeld || !holder || SUCCEEDED(result))
        return result;
    char16_t name[256] = {};
    uint32_t length = 0;
    if (SUCCEEDED(m_server->GetHolderName(name, std::size(name), &length)))
        *holder = QString::fromUtf16(name, std::min<qsizetype>(length, std::size(name) - 1));
    return result;
}

HRESULT CServerClient::Send(const CSettingNode *root, const QString &filePath,
                            const ScrambleKeySource &keys, const std::atomic<bool> *cancelled)
{
    if (!m_server)
        return RPC_E_DISCONNECTED;
    const auto stopped = [cancelled] {
        return cancelled && cancelled->load();
    };
    HRESULT result =
        m_server->SetConfiguration(u"", reinterpret_cast<const char16_t *>(filePath.utf16()));
    if (SUCCEEDED(result)) {
        StreamConfigurationForSending(
            root,
            [this, &result, &stopped](QStringView piece) {
                if (stopped()) {
                    result = ServerFailure(ServerResult::Cancelled);
                    return false;
                }
                result = m_server->AppendConfiguration(piece.utf16(), uint32_t(piece.size()));
                return SUCCEEDED(result);
            },
            keys);
    }
    if (SUCCEEDED(result) && stopped())
        result = ServerFailure(ServerResult::Cancelled);
    if (SUCCEEDED(result))
        result = m_server->StartTransfer();
    if (FAILED(result))
        m_server->ReleasePhone();
    return result;
}
