#include "tools/panel-sim/FrameLog.h"

#include <cstdio>
#include <stdexcept>

namespace irven::sim {

namespace {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escape[7];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

std::string HexText(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += kDigits[byte >> 4];
        out += kDigits[byte & 0x0F];
    }
    return out;
}

std::string LogLine(double seconds, TDirection direction, std::string_view bytes, TFrameKind kind,
                    std::string_view name) {
    char time[32];
    std::snprintf(time, sizeof time, "%.6f", seconds);
    return std::string("{\"t\": ") + time + ", \"dir\": \"" +
           (direction == TDirection::Received ? "rx" : "tx") + "\", \"hex\": \"" + HexText(bytes) +
           "\", \"kind\": \"" + std::string(KindName(kind)) + "\", \"name\": " + JsonString(name) +
           "}";
}

TFrameLog::TFrameLog(const std::filesystem::path& path) : out_(path, std::ios::app) {
    if (!out_) {
        throw std::runtime_error("cannot open the log " + path.string());
    }
}

void TFrameLog::Write(double seconds, TDirection direction, std::string_view bytes, TFrameKind kind,
                      std::string_view name) {
    out_ << LogLine(seconds, direction, bytes, kind, name) << '\n' << std::flush;
}

}  // namespace irven::sim
