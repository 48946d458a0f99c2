#pragma once

#include "platform/com/ComPtr.h"
#include "platform/com/ComTypes.h"
#include "platform/com/Guid.h"
#include "platform/com/Unknown.h"

#include <cstdint>

class QString;

// Makes an object of a class served by a program of its own: a proxy over
// the program's socket, the program started when none answers
// (CO_E_SERVER_EXEC_FAILURE when it cannot be started or does not answer in
// time; REGDB_E_CLASSNOTREG for a class it has no proxy for). The server's
// client side provides it; activation knows no server.
using LocalServerConnector = HRESULT (*)(const CLSID &clsid, const QString &program, const IID &iid,
                                         void **object);

// Activation by class identifier through the registry, as CoCreateInstance
// does it. An in-process class is found under
// HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32, whose default value is the
// path of the module; the module is loaded (and stays loaded) and its
// DllGetClassObject hands out the class factory. A local server class is
// found under ...\LocalServer32, whose default value is the server program:
// its factory's objects are made by connector, and without one such a class
// counts as not registered.
//
// Failures: REGDB_E_CLASSNOTREG when no server is registered for the context,
// CO_E_DLLNOTFOUND when the module is missing, CO_E_ERRORINDLL when it cannot
// be loaded or lacks DllGetClassObject; otherwise the module's own result.
HRESULT GetClassObject(const CLSID &clsid, uint32_t context, const IID &iid, void **object,
                       LocalServerConnector connector = nullptr);

HRESULT CreateInstance(const CLSID &clsid, IUnknown *outer, uint32_t context, const IID &iid,
                       void **object, LocalServerConnector connector = nullptr);

// The program registered to serve clsid (its LocalServer32 value); empty when
// none is.
QString LocalServerProgram(const CLSID &clsid);

inline HRESULT CreateInstance(const CLSID &clsid, IUnknown *outer, const IID &iid, void **object,
                              LocalServerConnector connector = nullptr)
{
    return CreateInstance(clsid, outer, CLSCTX_ALL, iid, object, connector);
}

template<class T>
HRESULT CreateInstance(const CLSID &clsid, IUnknown *outer, CComPtr<T> &object,
                       LocalServerConnector connector = nullptr)
{
    return CreateInstance(clsid, outer, CLSCTX_ALL, IidOf<T>(), object.ReceiveVoid(), connector);
}

// The class a ProgID names: HKEY_CLASSES_ROOT\<progId>\CLSID, or through its
// CurVer key the current version's. CO_E_CLASSSTRING when there is none.
HRESULT ClsidFromProgId(const char16_t *progId, CLSID *clsid);
