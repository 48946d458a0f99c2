#include "host/ServerActivation.h"

#include "orvenet/sdk/ConnectivityServer.h"
#include "orvenet/server/ConnectivityServerProxy.h"
#include "platform/com/Activation.h"

HRESULT ActivateConnectivityServer(IConnectivityServer **server)
{
    return CreateInstance(CLSID_ConnectivityServer, nullptr, IID_IConnectivityServer,
                          reinterpret_cast<void **>(server), CreateLocalServerProxy);
}
