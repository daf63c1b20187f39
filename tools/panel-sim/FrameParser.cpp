#include "tools/panel-sim/FrameParser.h"

#include <utility>

#include "tools/panel-sim/Commands.h"

namespace irven::sim {

namespace {

constexpr char kTerminator = ';';
constexpr std::string_view kCommit = "!WR;";
constexpr std::size_t kLongestQueryCode = 3;

bool IsPrintable(char byte) {
    return byte > ' ' && byte < 0x7F;
}

}  // namespace

std::vector<TFrame> TFrameParser::Feed(std::string_view bytes) {
    std::vector<TFrame> frames;
    for (const char byte : bytes) {
        Step(byte, frames);
    }
    return frames;
}

void TFrameParser::Step(char byte, std::vector<TFrame>& out) {
    switch (state_) {
        case TState::Start:
            return StartFrame(byte, out);
        case TState::Query:
            return QueryByte(byte, out);
        case TState::Text:
            return TextByte(byte, out);
        case TState::Byte:
            frame_ += byte;
            state_ = TState::ByteEnd;
            return;
        case TState::ByteEnd:
            return ByteEndByte(byte, out);
        case TState::Commit:
            return CommitByte(byte, out);
        case TState::Upload:
            return UploadByte(byte, out);
        case TState::UploadEnd:
            return UploadEndByte(byte, out);
        case TState::Skip:
            return SkipByte(byte, out);
    }
}

void TFrameParser::StartFrame(char byte, std::vector<TFrame>& out) {
    frame_.assign(1, byte);
    if (byte == '?') {
        state_ = TState::Query;
    } else if (byte == kCommit.front()) {
        state_ = TState::Commit;
    } else if (byte == kUploadEventCodes || byte == kUploadRestoreCodes) {
        state_ = TState::Upload;
    } else if (TextSettingByLetter(byte)) {
        state_ = TState::Text;
    } else if (ByteSettingByLetter(byte)) {
        state_ = TState::Byte;
    } else if (byte == kTerminator) {
        EmitUnknown(out);
    } else {
        state_ = TState::Skip;
    }
}

void TFrameParser::QueryByte(char byte, std::vector<TFrame>& out) {
    if (byte != kTerminator) {
        if (frame_.size() - 1 == kLongestQueryCode) {
            return Reject(byte, out);
        }
        frame_ += byte;
        return;
    }
    std::string code = frame_.substr(1);
    frame_ += byte;
    if (!IsKnownQuery(code)) {
        return EmitUnknown(out);
    }
    Emit(TFrameKind::Query, std::move(code), {}, out);
}

void TFrameParser::TextByte(char byte, std::vector<TFrame>& out) {
    if (byte != kTerminator) {
        if (frame_.size() - 1 == kMaxTextLength) {
            return Reject(byte, out);
        }
        frame_ += byte;
        return;
    }
    TBytes text = frame_.substr(1);
    frame_ += byte;
    Emit(TFrameKind::TextSetting, std::string(1, frame_.front()), std::move(text), out);
}

void TFrameParser::ByteEndByte(char byte, std::vector<TFrame>& out) {
    if (byte == kTerminator) {
        TBytes value(1, frame_[1]);
        frame_ += byte;
        return Emit(TFrameKind::ByteSetting, std::string(1, frame_.front()), std::move(value), out);
    }
    if (frame_[1] == kTerminator) {
        // The letter and a terminator alone: an empty frame, not a value of 0x3B. Whatever
        // follows starts the next frame.
        EmitUnknown(out);
        return Step(byte, out);
    }
    Reject(byte, out);
}

void TFrameParser::CommitByte(char byte, std::vector<TFrame>& out) {
    if (byte != kCommit[frame_.size()]) {
        return Reject(byte, out);
    }
    frame_ += byte;
    if (frame_.size() == kCommit.size()) {
        Emit(TFrameKind::Commit, "WR", {}, out);
    }
}

void TFrameParser::UploadByte(char byte, std::vector<TFrame>& out) {
    frame_ += byte;
    if (frame_.size() < 1 + kCodeTableBytes) {
        return;
    }
    if (frame_.front() == kUploadRestoreCodes) {
        state_ = TState::UploadEnd;
        return;
    }
    Emit(TFrameKind::Upload, std::string(1, frame_.front()), frame_.substr(1), out);
}

void TFrameParser::UploadEndByte(char byte, std::vector<TFrame>& out) {
    if (byte != kTerminator) {
        return Reject(byte, out);
    }
    TBytes codes = frame_.substr(1);
    frame_ += byte;
    Emit(TFrameKind::Upload, std::string(1, frame_.front()), std::move(codes), out);
}

void TFrameParser::SkipByte(char byte, std::vector<TFrame>& out) {
    frame_ += byte;
    if (byte == kTerminator) {
        return EmitUnknown(out);
    }
    if (frame_.size() >= kMaxUnknownBytes) {
        EmitUnknown(out);
        state_ = TState::Skip;
    }
}

void TFrameParser::Reject(char byte, std::vector<TFrame>& out) {
    state_ = TState::Skip;
    SkipByte(byte, out);
}

void TFrameParser::Emit(TFrameKind kind, std::string name, TBytes value, std::vector<TFrame>& out) {
    out.push_back(TFrame{kind, std::move(name), std::move(value), std::move(frame_)});
    frame_.clear();
    state_ = TState::Start;
}

void TFrameParser::EmitUnknown(std::vector<TFrame>& out) {
    std::string name;
    if (IsPrintable(frame_.front())) {
        name.assign(1, frame_.front());
    }
    Emit(TFrameKind::Unknown, std::move(name), {}, out);
}

}  // namespace irven::sim
