#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "serial/ByteString.h"
#include "serial/SerialDriver.h"

// A recording, fault-injecting driver for tests. The driver owns all state, so what a test set up
// or recorded survives the port closing and reopening. Every device call is logged in Calls() as
// its name followed by its arguments ("SetupComm 2048 2048", "EscapeCommFunction 5", "PurgeComm 3",
// "WriteFile 5", "ReadFile 100", "Wait", "Result", "Open COM2", "Close", ...), and FailNext(name)
// makes the next call(s) of that name fail. Safe to use from the monitor thread beside the test's.
class TFakeSerialDriver : public TSerialDriver {
  public:
    TFakeSerialDriver() = default;
    TFakeSerialDriver(const TFakeSerialDriver&) = delete;
    TFakeSerialDriver& operator=(const TFakeSerialDriver&) = delete;

    TOpenResult Open(const std::string& port) override;
    std::unique_ptr<TSerialTransfer> NewTransfer() override;
    std::unique_ptr<TStopSignal> NewStopSignal() override;

    // Called with each write's bytes, outside the driver's lock: a scripted panel answers from
    // here with Feed.
    std::function<void(const ByteString& written)> OnWrite;

    // Bytes arriving from the line into the input queue.
    void Feed(const ByteString& bytes);
    size_t Pending() const;
    std::vector<ByteString> Writes() const;
    ByteString Written() const;
    void ClearWrites();

    std::vector<std::string> Calls() const;
    void ClearCalls();

    // The next count calls of this name fail. "Open" fails with ooOther; see FailNextOpen.
    // "WaitLineEvents" (not logged) ends the next waits without a result, even before any event.
    void FailNext(std::string call, int count = 1);
    void FailNextOpen(TOpenOutcome outcome, std::string group = {}, int count = 1);
    // Every later Open of this name ends so (ooOpened restores a working device).
    void SetOpenOutcome(const std::string& port, TOpenOutcome outcome, std::string group = {});
    // A pulled cable: every later call of the open device fails and the device is gone until
    // Reconnect.
    void HangUp();
    // Every later call of the open device fails with this error of the platform's serial calls
    // (errno, GetLastError) until Reconnect; the device is gone when the platform counts the error
    // as a removal.
    void FailEveryCall(uint32_t error);
    void Reconnect();
    // Transfers report "pending" and give their count only through Result.
    void SetCompleteAtOnce(bool atOnce);

    // Reported, and then cleared, by the next ClearCommError.
    void SetErrorFlags(uint32_t flags);
    void SetModemStatus(uint32_t status);
    // Line events for WaitLineEvents, filtered by the event mask.
    void RaiseLineEvents(uint32_t mask);
    // How many line-event waits have begun; set OnLineWait before Open to hear of each one (it
    // runs on the monitor thread, outside the driver's lock).
    int LineWaits() const;
    std::function<void()> OnLineWait;

    bool IsOpen() const;
    std::string OpenedPort() const;
    int OpenCount() const;
    TSerialDcb LastDcb() const;
    TCommTimeouts LastTimeouts() const;
    uint32_t InQueueSize() const;
    uint32_t OutQueueSize() const;
    uint32_t EventMask() const;
    bool Dtr() const;
    bool Rts() const;

  private:
    class TDevice;
    class TTransferRecord;
    class TStop;
    friend class TDevice;
    friend class TTransferRecord;
    friend class TStop;

    struct TOpenFailure {
        TOpenOutcome Outcome;
        std::string Group;
    };

    bool Call(const std::string& entry);
    bool DeviceCall(const std::string& entry);
    void CloseDevice();
    bool SetupComm(uint32_t inQueue, uint32_t outQueue);
    bool SetCommState(const TSerialDcb& dcb);
    bool SetCommTimeouts(const TCommTimeouts& timeouts);
    bool EscapeCommFunction(uint32_t function);
    bool PurgeComm(uint32_t flags);
    bool WriteFile(const char* buffer, uint32_t count, uint32_t& immediate,
                   TTransferRecord& transfer);
    bool ReadFile(char* buffer, uint32_t count, uint32_t& immediate, TTransferRecord& transfer);
    bool ClearCommError(TCommStatus& status);
    bool GetCommModemStatus(uint32_t& status);
    bool SetCommMask(uint32_t mask);
    TLineWait WaitLineEvents(TStop& stop, uint32_t& mask);
    bool Vanished() const;
    bool TransferWait();
    bool TransferResult(const TTransferRecord& transfer, uint32_t& count);
    void Stop(TStop& stop);

    mutable std::mutex Mutex_;
    std::condition_variable LineEventsChanged_;
    std::vector<std::string> Calls_;
    std::map<std::string, int> Failures_;
    std::deque<TOpenFailure> OpenFailures_;
    std::map<std::string, TOpenFailure> OpenOutcomes_;
    ByteString Input_;
    std::vector<ByteString> Writes_;
    std::deque<uint32_t> LineEvents_;
    int LineWaits_ = 0;
    bool Open_ = false;
    bool HungUp_ = false;
    // The error every call fails with since HangUp or FailEveryCall; none for a plain hang-up.
    std::optional<uint32_t> HangUpError_;
    bool CompleteAtOnce_ = true;
    std::string OpenedPort_;
    int OpenCount_ = 0;
    TSerialDcb Dcb_;
    TCommTimeouts Timeouts_;
    uint32_t InQueueSize_ = 0;
    uint32_t OutQueueSize_ = 0;
    uint32_t EventMask_ = 0;
    uint32_t ErrorFlags_ = 0;
    uint32_t ModemStatus_ = 0;
    bool Dtr_ = false;
    bool Rts_ = false;
};
