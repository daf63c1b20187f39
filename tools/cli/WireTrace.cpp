#include "tools/cli/WireTrace.h"

#include <cstdio>
#include <stdexcept>

#include "tools/cli/Utf8Path.h"
#include "tools/cli/WireFrame.h"

namespace {

std::string HexText(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escape[7];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            json += escape;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

}  // namespace

TWireTrace::TWireTrace(const std::string& path)
    : out_(Utf8Path(path), std::ios::app | std::ios::binary),
      start_(std::chrono::steady_clock::now()) {
    if (!out_) {
        throw std::runtime_error("cannot open the trace " + path);
    }
}

TWireTrace::~TWireTrace() {
    if (!frame_.empty()) {
        WriteFrame();
    }
}

void TWireTrace::Written(std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    frame_ += bytes;
    const std::size_t whole = AssembledFrameLength(frame_.front());
    if (whole == 0 || frame_.size() >= whole) {
        WriteFrame();
    }
}

void TWireTrace::Read(std::string_view bytes) {
    if (!frame_.empty()) {
        WriteFrame();
    }
    WriteLine("rx", bytes);
}

void TWireTrace::WriteFrame() {
    const TWireFrame frame = DescribeFrame(frame_);
    kind_ = frame.Kind;
    name_ = frame.Name;
    WriteLine("tx", frame_);
    frame_.clear();
}

void TWireTrace::WriteLine(const char* direction, std::string_view bytes) {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    char time[32];
    std::snprintf(time, sizeof time, "%.6f", seconds);
    out_ << "{\"t\": " << time << ", \"dir\": \"" << direction << "\", \"hex\": \""
         << HexText(bytes) << "\", \"kind\": \"" << kind_ << "\", \"name\": " << JsonString(name_)
         << "}\n"
         << std::flush;
}
