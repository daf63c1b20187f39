#include "protocol/ReplyDecoders.h"

#include <cstddef>
#include <string>

namespace {

constexpr std::size_t kCodeLength = 3;

}  // namespace

ByteString DecodeTextReply(const ByteString& reply) {
    return reply.substr(0, reply.find('\0'));
}

std::optional<ByteString> DecodePeriodReply(const ByteString& reply) {
    if (reply.empty()) {
        return std::nullopt;
    }
    return std::to_string(static_cast<unsigned char>(reply[0]));
}

std::optional<bool> DecodeModeReply(const ByteString& reply) {
    if (reply.empty()) {
        return std::nullopt;
    }
    switch (reply[0]) {
        case 0x01:
            return true;
        case 0x00:
            return false;
        default:
            return std::nullopt;
    }
}

std::optional<TTransport> DecodeTransportReply(const ByteString& reply) {
    if (reply.empty()) {
        return std::nullopt;
    }
    switch (reply[0]) {
        case static_cast<char>(TTransport::TCP):
            return TTransport::TCP;
        case static_cast<char>(TTransport::UDP):
            return TTransport::UDP;
        default:
            return std::nullopt;
    }
}

ByteString CodeFromReply(const ByteString& reply, int row) {
    if (row < 1) {
        return {};
    }
    const std::size_t start = (static_cast<std::size_t>(row) - 1) * kCodeLength;
    if (start >= reply.size()) {
        return {};
    }
    return reply.substr(start, kCodeLength);
}
