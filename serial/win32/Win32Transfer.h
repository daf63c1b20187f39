#pragma once

#include <windows.h>

#include <cstdint>

#include "serial/SerialDriver.h"
#include "serial/win32/UniqueHandle.h"

// The overlapped block of one transfer with its manual-reset event, created signalled. A record
// destroyed while its transfer is still pending cancels it and waits, so the kernel never writes
// into a buffer that is gone.
class TWin32Transfer : public TSerialTransfer {
  public:
    TWin32Transfer();
    ~TWin32Transfer() override;
    TWin32Transfer(const TWin32Transfer&) = delete;
    TWin32Transfer& operator=(const TWin32Transfer&) = delete;

    bool Wait() override;
    bool Result(uint32_t& count) override;

    // For the device: the block to issue a transfer on, and whether it was left pending.
    OVERLAPPED* Begin(HANDLE device);
    void SetPending(bool pending) { Pending_ = pending; }
    // Ends a pending transfer at once with what it has moved so far, none included.
    void FinishNow();

  private:
    TUniqueHandle Event_;
    OVERLAPPED Overlapped_{};
    HANDLE Device_ = INVALID_HANDLE_VALUE;
    bool Started_ = false;
    bool Pending_ = false;
    // Set by FinishNow, whose cancelled block reports an abort rather than the count.
    bool Finished_ = false;
    DWORD FinishedCount_ = 0;
};

// Cancels the pending operation on the block and waits until the kernel has let go of it.
void CancelAndWait(HANDLE device, OVERLAPPED& block);
