#include "tools/panel-sim/Panel.h"

#include <utility>

namespace irven::sim {

namespace {

constexpr std::string_view kClosingReply = "OK";
constexpr char kLongPadding = '#';

char Letter(const TFrame& frame) {
    return frame.Name.empty() ? '\0' : frame.Name.front();
}

}  // namespace

TPanel::TPanel(TPanelState state, TReplyStyle style)
    : working_(state), committed_(std::move(state)), style_(style) {}

TOutcome TPanel::Handle(const TFrame& frame) {
    switch (frame.Kind) {
        case TFrameKind::Query:
            return {Answer(frame.Name)};
        case TFrameKind::TextSetting:
            SetText(frame);
            return {};
        case TFrameKind::ByteSetting:
            SetByte(frame);
            return {};
        case TFrameKind::Commit:
            committed_.Texts = working_.Texts;
            committed_.Bytes = working_.Bytes;
            return {{}, true};
        case TFrameKind::Upload:
            return {{}, Upload(frame)};
        case TFrameKind::Unknown:
            break;
    }
    return {};
}

TBytes TPanel::Answer(const std::string& code) const {
    if (const auto text = TextSettingByQuery(code)) {
        return TextReply(working_.Text(text->Setting));
    }
    if (const auto byte = ByteSettingByQuery(code)) {
        return TBytes(1, static_cast<char>(working_.Byte(byte->Setting)));
    }
    if (code == kQueryEventCodes) {
        return working_.EventCodes;
    }
    if (code == kQueryRestoreCodes) {
        return working_.RestoreCodes;
    }
    if (code == kQueryJournal) {
        return working_.Journal;
    }
    if (code == kQueryClosing) {
        return TBytes(kClosingReply);
    }
    return {};
}

TBytes TPanel::TextReply(const TBytes& text) const {
    TBytes reply = text;
    if (style_.Long && reply.size() < kLongReplyLength) {
        reply.resize(kLongReplyLength, kLongPadding);
    }
    return reply;
}

void TPanel::SetText(const TFrame& frame) {
    if (const auto text = TextSettingByLetter(Letter(frame))) {
        working_.Text(text->Setting) = frame.Value;
    }
}

void TPanel::SetByte(const TFrame& frame) {
    const auto byte = ByteSettingByLetter(Letter(frame));
    if (byte && frame.Value.size() == 1) {
        working_.Byte(byte->Setting) = static_cast<std::uint8_t>(frame.Value.front());
    }
}

bool TPanel::Upload(const TFrame& frame) {
    const char letter = Letter(frame);
    if (frame.Value.size() != kCodeTableBytes ||
        (letter != kUploadEventCodes && letter != kUploadRestoreCodes)) {
        return false;
    }
    TBytes& table = letter == kUploadEventCodes ? working_.EventCodes : working_.RestoreCodes;
    table = frame.Value;
    committed_.EventCodes = working_.EventCodes;
    committed_.RestoreCodes = working_.RestoreCodes;
    return true;
}

}  // namespace irven::sim
