// The connectivity server's reading of its clients' bytes: any stream, cut
// anywhere, is either framed and decoded or refused, and every decoded
// message is written back to the same body.
#include "orvenet/server/Protocol.h"

#include <cstddef>
#include <cstdint>

namespace {

void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

QByteArray Reencoded(const Wire::Message &message)
{
    Wire::CMessageWriter writer(message.kind, message.id, message.code);
    return writer.Fields(message.fields).Frame().mid(4);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte says where the stream is cut into reads.
    const size_t cut = data[0] % (size + 1);
    const char *bytes = reinterpret_cast<const char *>(data + 1);
    const qsizetype length = qsizetype(size - 1);
    Wire::CFrameDecoder decoder;
    decoder.Append(bytes, std::min<qsizetype>(qsizetype(cut), length));
    bool restAdded = false;
    for (;;) {
        QByteArray body;
        const Wire::CFrameDecoder::Result result = decoder.Next(body);
        if (result == Wire::CFrameDecoder::Result::Bad)
            break;
        if (result == Wire::CFrameDecoder::Result::NeedMore) {
            if (restAdded || qsizetype(cut) >= length)
                break;
            decoder.Append(bytes + cut, length - qsizetype(cut));
            restAdded = true;
            continue;
        }
        Require(body.size() <= qsizetype(Wire::kMaxBody));
        if (const std::optional<Wire::Message> message = Wire::DecodeBody(body))
            Require(Reencoded(*message) == body);
        if (const std::optional<Wire::Message> request = Wire::DecodeRequest(body))
            Require(request->kind == Wire::Kind::Request && Wire::RequestSignature(request->code));
        Wire::DecodeReply(body);
    }
    return 0;
}
