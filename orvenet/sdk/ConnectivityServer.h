#pragma once

#include "orvenet/sdk/Callback.h"
#include "orvenet/sdk/OrvenetGuids.h"
#include "platform/com/Unknown.h"

#include <cstdint>

// The connectivity server as its clients see it (class
// CLSID_ConnectivityServer). It owns the phone connection; a client names
// itself, registers a callback, reserves the phone, hands over a
// configuration and starts the transfer, whose course it follows through
// ICallback. The methods stand in their published vtable order.
struct IConnectivityServer : IUnknown
{
    virtual HRESULT SetClientName(const char16_t *name) = 0;
    // token: chosen by the client; the same value unregisters the callback.
    virtual HRESULT RegisterCallback(ICallback *callback, uint32_t token) = 0;
    virtual HRESULT UnregisterCallback(uint32_t token) = 0;
    // flags: ConnectionState flags.
    virtual HRESULT GetConnectionState(uint32_t *flags) = 0;
    // The phone's identity as tagged text:
    // "<EPOCName>...</EPOCName><IMEI>...</IMEI><PhoneNumber>...</PhoneNumber>".
    virtual HRESULT GetPhoneInfo(char16_t *buffer, uint32_t size, uint32_t *length) = 0;
    // The application that holds the phone; may be empty.
    virtual HRESULT GetHolderName(char16_t *buffer, uint32_t size, uint32_t *length) = 0;
    // Fails with ServerResult::PhoneHeld in the low 16 bits when another
    // application holds the phone.
    virtual HRESULT ReservePhone() = 0;
    virtual HRESULT ReleasePhone() = 0;
    virtual HRESULT CancelTransfer() = 0;
    // answer: the answer to the last question reported through OnError.
    virtual HRESULT AnswerQuestion(int32_t answer) = 0;
    // configuration: the configuration text (line feeds only, no byte order
    // mark); filePath: the file it came from, may be empty.
    virtual HRESULT SetConfiguration(const char16_t *configuration, const char16_t *filePath) = 0;
    virtual HRESULT StartTransfer() = 0;

protected:
    ~IConnectivityServer() = default;
};

namespace ConnectionState {
enum : uint32_t { Connected = 0x1 };
}

namespace ServerResult {
enum : uint32_t { PhoneHeld = 0x23 };
}
