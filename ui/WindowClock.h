#pragma once

#include "protocol/Clock.h"

// The waits of an exchange on the window's thread. The window stays painted and keeps answering
// the desktop, but takes no user input: only events that are not user input are processed, and
// input that arrives meanwhile stays queued until the exchange has ended.
class TWindowClock final : public TClock {
  public:
    void Sleep(uint32_t milliseconds) override;
};
