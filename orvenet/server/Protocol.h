#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <variant>

// The connectivity server's wire format. Every message is a frame: a 32-bit
// little-endian length followed by that many bytes of body. A body starts
// with its kind (one byte), a 32-bit id and a 16-bit code, and carries its
// fields in order, each behind a type byte: 'i' and a 32-bit little-endian
// number, or 't', a 32-bit byte count and that many bytes of UTF-8.
//
// A request carries the id its client chose; the response to it carries the
// same id, the request's code and the result (an HRESULT) as its first
// field, followed by the operation's outputs. Events carry the callback
// token in place of an id.
namespace Wire {

inline constexpr uint32_t kMaxBody = 4u << 20;

enum class Kind : uint8_t { Request = 1, Response = 2, Event = 3 };

// Requests, with their fields: i = number, t = text.
enum Operation : uint16_t {
    SetClientName = 1,      // t name
    RegisterCallback = 2,   // i token
    UnregisterCallback = 3, // i token
    GetConnectionState = 4, // -> i flags
    GetPhoneInfo = 5,       // -> t info
    GetHolderName = 6,      // -> t holder
    ReservePhone = 7,
    ReleasePhone = 8,
    CancelTransfer = 9,
    AnswerQuestion = 10,      // i answer
    SetConfiguration = 11,    // t text, t file path
    AppendConfiguration = 12, // t text
    StartTransfer = 13,
    // The emulated phone's controls.
    PhoneStatus = 20, // -> t status lines
    PhoneConnect = 21,
    PhoneDisconnect = 22,
    PhoneIdentity = 23, // t EPOC name, t IMEI, t phone number
    PhoneHold = 24,     // t application
    PhoneRelease = 25,
    PhoneFail = 26,  // i result, i phase (0: any)
    PhoneDelay = 27, // i milliseconds per step
    StopServer = 28,
};

enum Event : uint16_t {
    StateChanged = 1, // i state
    Error = 2,        // i result, i number, t setting name, t text
    Progress = 3,     // i phase, t text, i percentage
    Finished = 4,     // i result
};

using Field = std::variant<int32_t, QString>;

struct Message
{
    Kind kind = Kind::Request;
    uint32_t id = 0;
    uint16_t code = 0;
    QList<Field> fields;

    int32_t Number(qsizetype index) const;
    QString Text(qsizetype index) const;
};

// The fields a request or event must carry ("it" = number, text); null for
// an unknown code.
const char *RequestSignature(uint16_t operation);
const char *EventSignature(uint16_t event);

// Writes one frame.
class CMessageWriter
{
public:
    CMessageWriter(Kind kind, uint32_t id, uint16_t code);
    CMessageWriter &Number(int32_t value);
    CMessageWriter &Text(QStringView value);
    CMessageWriter &Fields(const QList<Field> &fields);
    // The frame, with its length in front.
    const QByteArray &Frame();

private:
    QByteArray m_bytes;
};

// Cuts a byte stream into frame bodies. A length above kMaxBody makes the
// stream bad for good: its sender is not speaking this protocol.
class CFrameDecoder
{
public:
    void Append(const char *data, qsizetype size);
    enum class Result { NeedMore, Body, Bad };
    Result Next(QByteArray &body);
    bool HasPartialFrame() const { return m_buffer.size() > m_consumed; }

private:
    QByteArray m_buffer;
    qsizetype m_consumed = 0;
    bool m_bad = false;
};

// Reads a body; nothing when it is cut short, has bytes left over or holds a
// text that is not UTF-8.
std::optional<Message> DecodeBody(const QByteArray &body);
// A request the server can act on: a known operation with exactly the
// fields it takes.
std::optional<Message> DecodeRequest(const QByteArray &body);
// A response or a known event with its fields, as a client reads it.
std::optional<Message> DecodeReply(const QByteArray &body);

} // namespace Wire
