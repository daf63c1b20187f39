#include "protocol/DeviceLink.h"

TDeviceLink::TDeviceLink(TSerialPort& port, TProgressIndicator& progress, TClock& clock)
    : port_(port), progress_(progress), clock_(clock) {}

void TDeviceLink::FlushInput(ByteString& buffer, int32_t maxCount) {
    ReadReply(buffer, maxCount);
    buffer.clear();
}

void TDeviceLink::ReadReply(ByteString& buffer, int32_t maxCount) {
    port_.ReadBytes(buffer, maxCount);
}

void TDeviceLink::SendCommand(const ByteString& frame) {
    // A short write goes unnoticed: the panel's language has no acknowledgement to check it by.
    port_.WriteBytes(frame);
}

const ByteString& TDeviceLink::QueryValue(const ByteString& query) {
    SendCommand(query);
    clock_.Sleep(kSettingWait);
    ReadReply(ReplyBuffer, kValueReadSize);
    return ReplyBuffer;
}

const ByteString& TDeviceLink::PollReply() {
    clock_.Sleep(kPollWait);
    ReadReply(ReplyBuffer, kValueReadSize);
    return ReplyBuffer;
}

void TDeviceLink::SendSetting(const ByteString& frame) {
    SendCommand(frame);
    clock_.Sleep(kSettingWait);
    AdvanceProgress();
}

void TDeviceLink::AdvanceProgress() {
    progress_.SetPosition(progress_.Position() + kProgressStep);
}
