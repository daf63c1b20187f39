#pragma once

#include <windows.h>

#include "serial/SerialDriver.h"
#include "serial/win32/UniqueHandle.h"

// A device opened with CreateFileA for exclusive overlapped use; destroying it closes the handle.
class TWin32SerialDevice : public TSerialDevice {
  public:
    explicit TWin32SerialDevice(TUniqueHandle handle);
    ~TWin32SerialDevice() override;
    TWin32SerialDevice(const TWin32SerialDevice&) = delete;
    TWin32SerialDevice& operator=(const TWin32SerialDevice&) = delete;

    bool SetupComm(uint32_t inQueue, uint32_t outQueue) override;
    bool SetCommState(const TSerialDcb& dcb) override;
    bool SetCommTimeouts(const TCommTimeouts& timeouts) override;
    bool EscapeCommFunction(uint32_t function) override;
    bool PurgeComm(uint32_t flags) override;
    bool WriteFile(const char* buffer, uint32_t count, uint32_t& immediate,
                   TSerialTransfer& transfer) override;
    bool ReadFile(char* buffer, uint32_t count, uint32_t& immediate,
                  TSerialTransfer& transfer) override;
    bool ClearCommError(TCommStatus& status) override;
    bool GetCommModemStatus(uint32_t& status) override;
    bool Vanished() override;
    bool SetCommMask(uint32_t mask) override;
    TLineWait WaitLineEvents(TStopSignal& stop, uint32_t& mask) override;

    HANDLE Handle() const { return Handle_.Get(); }

  private:
    // Declared first, so that the device handle is closed before the event of its wait block.
    TUniqueHandle EventWaitDone_;
    TUniqueHandle Handle_;
    // The timeouts under which a read returns at once with what has arrived, possibly nothing.
    bool ReadsReturnAtOnce_ = false;
    // The monitor's own block for WaitCommEvent, kept until the handle is closed.
    OVERLAPPED EventWait_{};
    DWORD EventMask_ = 0;
    bool EventWaitPending_ = false;
};
