#pragma once

#include <cstdint>

#include "protocol/Clock.h"
#include "protocol/ProgressIndicator.h"
#include "serial/ByteString.h"
#include "serial/SerialPort.h"

// The fixed waits of the command language, in milliseconds.
inline constexpr uint32_t kSettingWait = 500;
inline constexpr uint32_t kPollWait = 200;
inline constexpr uint32_t kCodeReplyWait = 700;
inline constexpr uint32_t kClosingWait = 100;
inline constexpr uint32_t kJournalReplyWait = 200;
inline constexpr uint32_t kJournalClosingWait = 50;

// Largest read of a settings query or poll.
inline constexpr int32_t kValueReadSize = 100;
inline constexpr int kProgressStep = 5;

// The timed send and read steps every exchange is built from. The panel's replies carry no framing:
// the link sends, waits a fixed time and takes whatever has arrived. It owns neither the port nor
// the progress indicator and never opens, closes or checks the port; transfer errors pass through.
class TDeviceLink {
  public:
    TDeviceLink(TSerialPort& port, TProgressIndicator& progress, TClock& clock);

    // Reads up to maxCount pending bytes into the buffer and discards them; the rest stays pending.
    void FlushInput(ByteString& buffer, int32_t maxCount);
    void SendCommand(const ByteString& frame);
    // Reads up to maxCount pending bytes into the buffer, replacing what it held; never waits.
    void ReadReply(ByteString& buffer, int32_t maxCount);
    // Sends the query, waits 500 ms and reads up to 100 bytes into ReplyBuffer.
    const ByteString& QueryValue(const ByteString& query);
    // Waits 200 ms and reads up to 100 bytes into ReplyBuffer, replacing what it held.
    const ByteString& PollReply();
    // Sends the frame, waits 500 ms and advances the progress by one step.
    void SendSetting(const ByteString& frame);
    void AdvanceProgress();

    ByteString ReplyBuffer;
    ByteString JournalFlushBuffer;

    TProgressIndicator& Progress() { return progress_; }
    TClock& Clock() { return clock_; }

  private:
    TSerialPort& port_;
    TProgressIndicator& progress_;
    TClock& clock_;
};
