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
// or recorded survives the port closing and reopening. Every device call is logged in
// State().Calls as its name followed by its arguments ("SetupComm 2048 2048",
// "EscapeCommFunction 5", "PurgeComm 3", "WriteFile 5", "ReadFile 100", "Wait", "Result",
// "Open COM2", "Close", ...), and FailNext(name) makes the next call(s) of that name fail. Safe to
// use from the monitor thread beside the test's.
class TFakeSerialDriver : public TSerialDriver {
  public:
    // What the driver recorded and what the device holds now.
    struct TState {
        std::vector<std::string> Calls;
        std::vector<ByteString> Writes;
        // How many line-event waits have begun.
        int LineWaits = 0;
        bool Open = false;
        std::string OpenedPort;
        int OpenCount = 0;
        TSerialDcb Dcb;
        TCommTimeouts Timeouts;
        uint32_t InQueueSize = 0;
        uint32_t OutQueueSize = 0;
        uint32_t EventMask = 0;
        bool Dtr = false;
        bool Rts = false;
    };

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
    // The bytes of every write, joined.
    ByteString Written() const;
    void ClearWrites();
    void ClearCalls();

    // One consistent copy, safe beside the monitor thread.
    TState State() const;

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
    // Set before Open to hear of each line-event wait as it begins (it runs on the monitor
    // thread, outside the driver's lock).
    std::function<void()> OnLineWait;

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
    TState State_;
    std::map<std::string, int> Failures_;
    std::deque<TOpenFailure> OpenFailures_;
    std::map<std::string, TOpenFailure> OpenOutcomes_;
    ByteString Input_;
    std::deque<uint32_t> LineEvents_;
    bool HungUp_ = false;
    // The error every call fails with since HangUp or FailEveryCall; none for a plain hang-up.
    std::optional<uint32_t> HangUpError_;
    bool CompleteAtOnce_ = true;
    uint32_t ErrorFlags_ = 0;
    uint32_t ModemStatus_ = 0;
};
