#include "tools/cli/WireFrame.h"

namespace {

// The letters the panel's language gives its settings; the trace tells the two kinds apart by
// them, since a text setting of one character is as long as a byte setting.
constexpr std::string_view kTextLetters = "SsOTtLlPpMm";
constexpr std::string_view kByteLetters = "zgNnq";
constexpr std::string_view kCommit = "!WR;";
constexpr char kQuery = '?';
constexpr char kEnd = ';';
constexpr char kEventUpload = 'C';
constexpr char kRestoreUpload = 'R';
constexpr std::size_t kCodeBytes = 75;
constexpr std::size_t kLongestQueryCode = 3;

bool IsPrintable(char byte) {
    return byte > ' ' && byte < 0x7F;
}

bool Ends(std::string_view frame) {
    return frame.size() >= 2 && frame.back() == kEnd;
}

TWireFrame Unknown(std::string_view frame) {
    if (!frame.empty() && IsPrintable(frame.front())) {
        return {"unknown", std::string(1, frame.front())};
    }
    return {"unknown", ""};
}

}  // namespace

std::size_t AssembledFrameLength(char first) {
    if (first == kEventUpload) {
        return 1 + kCodeBytes;
    }
    if (first == kRestoreUpload) {
        return 1 + kCodeBytes + 1;
    }
    return 0;
}

TWireFrame DescribeFrame(std::string_view frame) {
    if (frame.empty()) {
        return Unknown(frame);
    }
    const char first = frame.front();
    const std::string letter(1, first);
    if (first == kQuery && Ends(frame) && frame.size() >= 3 &&
        frame.size() - 2 <= kLongestQueryCode) {
        return {"query", std::string(frame.substr(1, frame.size() - 2))};
    }
    if (frame == kCommit) {
        return {"commit", "WR"};
    }
    if (AssembledFrameLength(first) == frame.size() && (first == kEventUpload || Ends(frame))) {
        return {"upload", letter};
    }
    if (kTextLetters.find(first) != std::string_view::npos && Ends(frame)) {
        return {"text-setting", letter};
    }
    if (kByteLetters.find(first) != std::string_view::npos && frame.size() == 3 && Ends(frame)) {
        return {"byte-setting", letter};
    }
    return Unknown(frame);
}
