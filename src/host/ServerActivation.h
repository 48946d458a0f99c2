#pragma once

#include "platform/com/ComTypes.h"

struct IConnectivityServer;

// The connectivity server as the plug-in reaches it: its registered class,
// served by its own program through the server's client side.
HRESULT ActivateConnectivityServer(IConnectivityServer **server);

class QString;
// The activity log the registered connectivity server writes.
QString ConnectivityServerActivityLog();
