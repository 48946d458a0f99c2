#pragma once

#include "platform/com/Guid.h"
#include "platform/com/Unknown.h"

// What an in-process server module exports by name, with C linkage and
// default visibility (everything else in a module stays hidden):
//   STDAPI DllGetClassObject(const CLSID &clsid, const IID &iid, void **object);
//   STDAPI DllCanUnloadNow();
//   STDAPI DllRegisterServer();
//   STDAPI DllUnregisterServer();
#define STDAPI extern "C" __attribute__((visibility("default"))) HRESULT

using DllGetClassObjectFunction = HRESULT (*)(const CLSID &clsid, const IID &iid, void **object);
using DllCanUnloadNowFunction = HRESULT (*)();
using DllRegisterServerFunction = HRESULT (*)();
using DllUnregisterServerFunction = HRESULT (*)();

inline constexpr char kDllGetClassObject[] = "DllGetClassObject";
inline constexpr char kDllCanUnloadNow[] = "DllCanUnloadNow";
inline constexpr char kDllRegisterServer[] = "DllRegisterServer";
inline constexpr char kDllUnregisterServer[] = "DllUnregisterServer";
