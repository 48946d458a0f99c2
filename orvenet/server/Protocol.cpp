#include "orvenet/server/Protocol.h"

#include <QStringDecoder>

#include <cstring>

namespace Wire {
namespace {

constexpr qsizetype kHeaderSize = 1 + 4 + 2;

void AppendUint32(QByteArray &bytes, uint32_t value)
{
    const char data[4] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF),
                          static_cast<char>(value >> 16 & 0xFF),
                          static_cast<char>(value >> 24 & 0xFF)};
    bytes.append(data, 4);
}

uint32_t ReadUint32(const char *data)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(data);
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

bool Matches(const Message &message, const char *signature)
{
    if (!signature || message.fields.size() != qsizetype(std::strlen(signature)))
        return false;
    for (qsizetype i = 0; i < message.fields.size(); ++i) {
        const bool number = std::holds_alternative<int32_t>(message.fields[i]);
        if (number != (signature[i] == 'i'))
            return false;
    }
    return true;
}

} // namespace

int32_t Message::Number(qsizetype index) const
{
    const auto *value = index < fields.size() ? std::get_if<int32_t>(&fields[index]) : nullptr;
    return value ? *value : 0;
}

QString Message::Text(qsizetype index) const
{
    const auto *value = index < fields.size() ? std::get_if<QString>(&fields[index]) : nullptr;
    return value ? *value : QString();
}

const char *RequestSignature(uint16_t operation)
{
    switch (operation) {
    case SetClientName:
    case AppendConfiguration:
    case PhoneHold:
        return "t";
    case RegisterCallback:
    case UnregisterCallback:
    case AnswerQuestion:
    case PhoneDelay:
        return "i";
    case SetConfiguration:
        return "tt";
    case PhoneIdentity:
        return "ttt";
    case PhoneFail:
        return "ii";
    case GetConnectionState:
    case GetPhoneInfo:
    case GetHolderName:
    case ReservePhone:
    case ReleasePhone:
    case CancelTransfer:
    case StartTransfer:
    case PhoneStatus:
    case PhoneConnect:
    case PhoneDisconnect:
    case PhoneRelease:
    case StopServer:
        return "";
    default:
        return nullptr;
    }
}

const char *EventSignature(uint16_t event)
{
    switch (event) {
    case StateChanged:
    case Finished:
        return "i";
    case Error:
        return "iitt";
    case Progress:
        return "iti";
    default:
        return nullptr;
    }
}

CMessageWriter::CMessageWriter(Kind kind, uint32_t id, uint16_t code)
{
    AppendUint32(m_bytes, 0);
    m_bytes.append(static_cast<char>(kind));
    AppendUint32(m_bytes, id);
    m_bytes.append(static_cast<char>(code & 0xFF));
    m_bytes.append(static_cast<char>(code >> 8));
}

CMessageWriter &CMessageWriter::Number(int32_t value)
{
    m_bytes.append('i');
    AppendUint32(m_bytes, static_cast<uint32_t>(value));
    return *this;
}

CMessageWriter &CMessageWriter::Text(QStringView value)
{
    const QByteArray utf8 = value.toUtf8();
    m_bytes.append('t');
    AppendUint32(m_bytes, static_cast<uint32_t>(utf8.size()));
    m_bytes.append(utf8);
    return *this;
}

CMessageWriter &CMessageWriter::Fields(const QList<Field> &fields)
{
    for (const Field &field : fields) {
        if (const auto *number = std::get_if<int32_t>(&field))
            Number(*number);
        else
            Text(std::get<QString>(field));
    }
    return *this;
}

const QByteArray &CMessageWriter::Frame()
{
    const uint32_t length = static_cast<uint32_t>(m_bytes.size() - 4);
    for (int i = 0; i < 4; ++i)
        m_bytes[i] = static_cast<char>(length >> (8 * i) & 0xFF);
    return m_bytes;
}

void CFrameDecoder::Append(const char *data, qsizetype size)
{
    // Consumed frames are dropped before the buffer grows again.
    if (m_consumed > 0) {
        m_buffer.remove(0, m_consumed);
        m_consumed = 0;
    }
    m_buffer.append(data, size);
}

CFrameDecoder::Result CFrameDecoder::Next(QByteArray &body)
{
    if (m_bad)
        return Result::Bad;
    const qsizetype available = m_buffer.size() - m_consumed;
    if (available < 4)
        return Result::NeedMore;
    const uint32_t length = ReadUint32(m_buffer.constData() + m_consumed);
    if (length > kMaxBody || length < kHeaderSize) {
        m_bad = true;
        return Result::Bad;
    }
    if (available - 4 < qsizetype(length))
        return Result::NeedMore;
    body = m_buffer.mid(m_consumed + 4, length);
    m_consumed += 4 + length;
    return Result::Body;
}

std::optional<Message> DecodeBody(const QByteArray &body)
{
    if (body.size() < kHeaderSize)
        return std::nullopt;
    const char *data = body.constData();
    const auto kind = static_cast<uint8_t>(data[0]);
    if (kind < uint8_t(Kind::Request) || kind > uint8_t(Kind::Event))
        return std::nullopt;
    Message message;
    message.kind = static_cast<Kind>(kind);
    message.id = ReadUint32(data + 1);
    message.code = static_cast<uint16_t>(static_cast<unsigned char>(data[5]) |
                                         static_cast<unsigned char>(data[6]) << 8);
    qsizetype at = kHeaderSize;
    while (at < body.size()) {
        const char type = data[at++];
        if (body.size() - at < 4)
            return std::nullopt;
        const uint32_t value = ReadUint32(data + at);
        at += 4;
        if (type == 'i') {
            message.fields.append(static_cast<int32_t>(value));
        } else if (type == 't') {
            if (value > uint32_t(body.size() - at))
                return std::nullopt;
            QStringDecoder decoder(QStringDecoder::Utf8,
                                   QStringDecoder::Flag::Stateless |
                                       QStringDecoder::Flag::ConvertInitialBom);
            QString text = decoder(QByteArrayView(data + at, value));
            if (decoder.hasError())
                return std::nullopt;
            message.fields.append(std::move(text));
            at += value;
        } else {
            return std::nullopt;
        }
    }
    return message;
}

std::optional<Message> DecodeRequest(const QByteArray &body)
{
    std::optional<Message> message = DecodeBody(body);
    if (!message || message->kind != Kind::Request ||
        !Matches(*message, RequestSignature(message->code)))
        return std::nullopt;
    return message;
}

std::optional<Message> DecodeReply(const QByteArray &body)
{
    std::optional<Message> message = DecodeBody(body);
    if (!message)
        return std::nullopt;
    if (message->kind == Kind::Response) {
        if (message->fields.isEmpty() || !std::holds_alternative<int32_t>(message->fields[0]))
            return std::nullopt;
        return message;
    }
    if (message->kind == Kind::Event && Matches(*message, EventSignature(message->code)))
        return message;
    return std::nullopt;
}

} // namespace Wire
