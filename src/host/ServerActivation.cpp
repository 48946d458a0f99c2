#include "host/ServerActivation.h"

#include "orvenet/sdk/ConnectivityServer.h"
#include "orvenet/server/ConnectivityServerProxy.h"
#include "orvenet/server/ServerPaths.h"
#include "platform/com/Activation.h"

QString ConnectivityServerActivityLog()
{
    return ActivityLogPathBeside(LocalServerProgram(CLSID_ConnectivityServer));
}

HRESULT ActivateConnectivityServer(IConnectivityServer **server)
{
    return CreateInstance(CLSID_ConnectivityServer, nullptr, IID_IConnectivityServer,
                          reinterpret_cast<void **>(server), CreateLocalServerProxy);
}
