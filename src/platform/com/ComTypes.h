#pragma once

#include <cstdint>

// COM's basic types and result codes with their Windows values, so that codes
// read the same in logs, in the registry and across the server's socket.
using HRESULT = int32_t;
using ULONG = uint32_t;
using BOOL = int32_t;

constexpr HRESULT MAKE_HRESULT(uint32_t severity, uint32_t facility, uint32_t code)
{
    return static_cast<HRESULT>(severity << 31 | facility << 16 | (code & 0xFFFF));
}

constexpr bool SUCCEEDED(HRESULT result)
{
    return result >= 0;
}

constexpr bool FAILED(HRESULT result)
{
    return result < 0;
}

// The low 16 bits, which servers use to tell their failures apart.
constexpr uint32_t HRESULT_CODE(HRESULT result)
{
    return static_cast<uint32_t>(result) & 0xFFFF;
}

constexpr uint32_t HRESULT_FACILITY(HRESULT result)
{
    return static_cast<uint32_t>(result) >> 16 & 0x1FFF;
}

inline constexpr uint32_t FACILITY_ITF = 4;
inline constexpr uint32_t FACILITY_WIN32 = 7;

constexpr HRESULT HRESULT_FROM_WIN32(uint32_t error)
{
    return error == 0 ? 0 : MAKE_HRESULT(1, FACILITY_WIN32, error);
}

namespace ComDetail {
constexpr HRESULT Code(uint32_t value)
{
    return static_cast<HRESULT>(value);
}
} // namespace ComDetail

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;

inline constexpr HRESULT E_NOTIMPL = ComDetail::Code(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = ComDetail::Code(0x80004002);
inline constexpr HRESULT E_POINTER = ComDetail::Code(0x80004003);
inline constexpr HRESULT E_ABORT = ComDetail::Code(0x80004004);
inline constexpr HRESULT E_FAIL = ComDetail::Code(0x80004005);
inline constexpr HRESULT E_UNEXPECTED = ComDetail::Code(0x8000FFFF);
inline constexpr HRESULT E_ACCESSDENIED = ComDetail::Code(0x80070005);
inline constexpr HRESULT E_OUTOFMEMORY = ComDetail::Code(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = ComDetail::Code(0x80070057);
inline constexpr HRESULT E_NOT_SUFFICIENT_BUFFER = ComDetail::Code(0x8007007A);

inline constexpr HRESULT CLASS_E_NOAGGREGATION = ComDetail::Code(0x80040110);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = ComDetail::Code(0x80040111);
inline constexpr HRESULT REGDB_E_READREGDB = ComDetail::Code(0x80040150);
inline constexpr HRESULT REGDB_E_WRITEREGDB = ComDetail::Code(0x80040151);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = ComDetail::Code(0x80040154);
inline constexpr HRESULT SELFREG_E_TYPELIB = ComDetail::Code(0x80040200);
inline constexpr HRESULT SELFREG_E_CLASS = ComDetail::Code(0x80040201);
inline constexpr HRESULT CO_E_CLASSSTRING = ComDetail::Code(0x800401F3);
inline constexpr HRESULT CO_E_DLLNOTFOUND = ComDetail::Code(0x800401F8);
inline constexpr HRESULT CO_E_ERRORINDLL = ComDetail::Code(0x800401F9);
inline constexpr HRESULT CO_E_SERVER_EXEC_FAILURE = ComDetail::Code(0x80080005);
inline constexpr HRESULT RPC_E_DISCONNECTED = ComDetail::Code(0x80010108);

// Where an activated class may run.
inline constexpr uint32_t CLSCTX_INPROC_SERVER = 0x1;
inline constexpr uint32_t CLSCTX_INPROC_HANDLER = 0x2;
inline constexpr uint32_t CLSCTX_LOCAL_SERVER = 0x4;
inline constexpr uint32_t CLSCTX_REMOTE_SERVER = 0x10;
inline constexpr uint32_t CLSCTX_SERVER =
    CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
inline constexpr uint32_t CLSCTX_ALL = CLSCTX_SERVER | CLSCTX_INPROC_HANDLER;
