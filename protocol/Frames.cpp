#include "protocol/Frames.h"

ByteString TextSettingFrame(char letter, const ByteString& text) {
    ByteString frame;
    frame.reserve(text.size() + 2);
    frame += letter;
    frame += text;
    frame += kFrameEnd;
    return frame;
}

ByteString ByteSettingFrame(char letter, uint8_t value) {
    ByteString frame(3, kFrameEnd);
    frame[0] = letter;
    frame[1] = static_cast<char>(value);
    return frame;
}
