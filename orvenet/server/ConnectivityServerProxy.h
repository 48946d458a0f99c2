#pragma once

#include "platform/com/ComTypes.h"
#include "platform/com/Guid.h"

#include <QString>

// The client side of a local server class: an object that implements the
// class's interface by calls over the server's socket. When nobody answers on
// the socket, the registered server program is started (with --activated,
// so that it ends by itself once it has no clients) and given
// kServerStartMs to answer. Failures: REGDB_E_CLASSNOTREG for a class
// without a proxy, CO_E_SERVER_EXEC_FAILURE when the server cannot be
// started or does not answer.
HRESULT CreateLocalServerProxy(const CLSID &clsid, const QString &serverPath, const IID &iid,
                               void **object);

inline constexpr int kServerStartMs = 5000;
