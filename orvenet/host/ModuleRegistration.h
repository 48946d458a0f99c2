#pragma once

#include "platform/com/ComTypes.h"

#include <QString>

// Loads an in-process server module and calls its DllRegisterServer or
// DllUnregisterServer. CO_E_DLLNOTFOUND when the module cannot be loaded,
// CO_E_ERRORINDLL when it lacks the export; otherwise the module's answer.
HRESULT CallModuleRegistration(const QString &modulePath, bool registering);

// Registers the suite's connectivity server class as a local server run by
// serverPath (HKEY_CLASSES_ROOT\CLSID\{...}\LocalServer32), or removes its
// class key; false when the registry could not be written.
bool RegisterConnectivityServer(const QString &serverPath);
bool UnregisterConnectivityServer();

// At the start of an installed host (its programs in programsFolder, the
// shipped plug-in in the installation's program folder): registers the
// plug-in and the connectivity server class when they are missing or name
// files that are gone, so that a fresh user account needs no --register.
// False when programsFolder is not an installation's or a registration
// failed.
bool RegisterInstallation(const QString &programsFolder);
