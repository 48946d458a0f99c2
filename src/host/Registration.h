#pragma once

#include "platform/com/ComTypes.h"

#include <QString>

class CRegistry;

// Writes the keys that list the plug-in for the host, name its class by both
// ProgIDs and lead from the class to the module at modulePath. The class key
// is replaced as a whole, so registering again is harmless. SELFREG_E_CLASS
// when a key cannot be written.
HRESULT RegisterProvix(CRegistry &registry, const QString &modulePath);

// Removes the ProgIDs, the class key and the type library key; the CLSID key
// itself and the host's plug-in key stay.
HRESULT UnregisterProvix(CRegistry &registry);
