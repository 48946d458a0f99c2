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
    // Appends length units of text to the configuration that SetConfiguration
    // began, so that a large configuration can be handed over in pieces
    // without ever being held whole.
    virtual HRESULT AppendConfiguration(const char16_t *text, uint32_t length) = 0;

protected:
    ~IConnectivityServer() = default;
};

namespace ConnectionState {
enum : uint32_t { Connected = 0x1 };
}

// The low 16 bits of the server's failures (FACILITY_ITF) and of its
// questions.
namespace ServerResult {
enum : uint32_t {
    NoPhone = 0x11,
    NoConfiguration = 0x12,
    PhoneHeld = 0x23,
    PhoneLost = 0xA3,
    Cancelled = 0x101,
    FileNotFound = 0x152,
    FileNotTransferred = 0x153,
    PhoneMemoryFull = 0x156,
    FileNotWritten = 0x157,
    FileNotCopied = 0x158,
    ServerLost = 0x184,
    PhoneBusy = 0x186,
    ConfigurationNotRead = 0x191,
    // Questions, put through ICallback::OnError with the answers allowed.
    FileExists = 0x201,
    FileNotReadable = 0x203,
};
}

// Why the phone refused a file (ServerResult::FileNotTransferred): the
// number of that error report.
namespace FileRefusal {
enum : uint32_t { NoSuchDrive = 1, NameNotAllowed = 2 };
}

constexpr HRESULT ServerFailure(uint32_t code)
{
    return MAKE_HRESULT(1, FACILITY_ITF, code);
}

// The answers to a question: a question's number is a mask of them.
namespace QuestionAnswer {
enum : int32_t { Skip = 4, Overwrite = 8, Retry = 32, Cancel = 64 };
}
