#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>

#include "serial/SerialDriver.h"
#include "serial/linux/LinuxLineWatch.h"
#include "serial/linux/UniqueFd.h"

// An open terminal device, held exclusively (flock plus TIOCEXCL) until destroyed. Reads never
// block: the descriptor is non-blocking, and a read that finds nothing returns 0 bytes. Writes
// are bounded by the write timeouts. Pseudo-terminals have no modem lines; where a device lacks
// them, driving or reading them does nothing and succeeds.
class TLinuxSerialDevice : public TSerialDevice {
  public:
    explicit TLinuxSerialDevice(TUniqueFd fd);
    ~TLinuxSerialDevice() override;
    TLinuxSerialDevice(const TLinuxSerialDevice&) = delete;
    TLinuxSerialDevice& operator=(const TLinuxSerialDevice&) = delete;

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

    int Fd() const { return Fd_.Get(); }
    uint32_t CommMask() const { return Mask_.load(); }

  private:
    using TClock = std::chrono::steady_clock;
    using TDeadline = std::optional<TClock::time_point>;

    bool ApplyLineControls(const TSerialDcb& dcb);
    bool ModemLines(unsigned long request, int lines);
    std::optional<uint32_t> WriteSome(const char* buffer, uint32_t count, TDeadline deadline);
    uint32_t Drain(uint32_t written, TDeadline deadline);
    std::optional<uint32_t> ReadSome(char* buffer, uint32_t count);
    std::optional<uint32_t> ReadUntil(char* buffer, uint32_t count);
    uint32_t LineErrors();
    static TDeadline TotalDeadline(uint32_t multiplier, uint32_t constant, uint32_t count);

    TUniqueFd Fd_;
    TCommTimeouts Timeouts_;
    uint32_t CharMicroseconds_ = 1000;
    std::atomic<uint32_t> Mask_{0};
    std::mutex CountersMutex_;
    bool HaveCounters_ = false;
    int Frame_ = 0;
    int Parity_ = 0;
    int Overrun_ = 0;
    int Break_ = 0;
    int BufferOverrun_ = 0;
    TLinuxLineWatch Watch_{Fd_.Get()};
};
