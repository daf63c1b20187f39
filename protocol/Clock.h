#pragma once

#include <cstdint>

// The fixed waits of the command link go through this seam: the program sleeps for real, tests
// record every wait instead, and the window waits while it keeps itself painted.
class TClock {
  public:
    virtual ~TClock() = default;
    virtual void Sleep(uint32_t milliseconds) = 0;
};

// Sleeps the calling thread.
class TSystemClock final : public TClock {
  public:
    void Sleep(uint32_t milliseconds) override;
};
