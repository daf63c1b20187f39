#include "testing/FakeSerialDriver.h"

#include <algorithm>
#include <utility>

#include "serial/DeviceRemoval.h"

class TFakeSerialDriver::TTransferRecord : public TSerialTransfer {
  public:
    explicit TTransferRecord(TFakeSerialDriver& driver) : Driver_(driver) {}
    bool Wait() override { return Driver_.TransferWait(); }
    bool Result(uint32_t& count) override { return Driver_.TransferResult(*this, count); }

    uint32_t Count = 0;

  private:
    TFakeSerialDriver& Driver_;
};

class TFakeSerialDriver::TStop : public TStopSignal {
  public:
    explicit TStop(TFakeSerialDriver& driver) : Driver_(driver) {}
    void Signal() override { Driver_.Stop(*this); }

    bool Signalled = false;

  private:
    TFakeSerialDriver& Driver_;
};

class TFakeSerialDriver::TDevice : public TSerialDevice {
  public:
    explicit TDevice(TFakeSerialDriver& driver) : Driver_(driver) {}
    ~TDevice() override { Driver_.CloseDevice(); }

    bool SetupComm(uint32_t inQueue, uint32_t outQueue) override {
        return Driver_.SetupComm(inQueue, outQueue);
    }
    bool SetCommState(const TSerialDcb& dcb) override { return Driver_.SetCommState(dcb); }
    bool SetCommTimeouts(const TCommTimeouts& timeouts) override {
        return Driver_.SetCommTimeouts(timeouts);
    }
    bool EscapeCommFunction(uint32_t function) override {
        return Driver_.EscapeCommFunction(function);
    }
    bool PurgeComm(uint32_t flags) override { return Driver_.PurgeComm(flags); }
    bool WriteFile(const char* buffer, uint32_t count, uint32_t& immediate,
                   TSerialTransfer& transfer) override {
        return Driver_.WriteFile(buffer, count, immediate, static_cast<TTransferRecord&>(transfer));
    }
    bool ReadFile(char* buffer, uint32_t count, uint32_t& immediate,
                  TSerialTransfer& transfer) override {
        return Driver_.ReadFile(buffer, count, immediate, static_cast<TTransferRecord&>(transfer));
    }
    bool ClearCommError(TCommStatus& status) override { return Driver_.ClearCommError(status); }
    bool GetCommModemStatus(uint32_t& status) override {
        return Driver_.GetCommModemStatus(status);
    }
    bool SetCommMask(uint32_t mask) override { return Driver_.SetCommMask(mask); }
    TLineWait WaitLineEvents(TStopSignal& stop, uint32_t& mask) override {
        return Driver_.WaitLineEvents(static_cast<TStop&>(stop), mask);
    }
    bool Vanished() override { return Driver_.Vanished(); }

  private:
    TFakeSerialDriver& Driver_;
};

TOpenResult TFakeSerialDriver::Open(const std::string& port) {
    std::lock_guard lock(Mutex_);
    TOpenResult result;
    if (!Call("Open " + port)) {
        result.Outcome = TOpenOutcome::ooOther;
        return result;
    }
    if (!OpenFailures_.empty()) {
        result.Outcome = OpenFailures_.front().Outcome;
        result.Group = OpenFailures_.front().Group;
        OpenFailures_.pop_front();
        return result;
    }
    if (const auto found = OpenOutcomes_.find(port);
        found != OpenOutcomes_.end() && found->second.Outcome != TOpenOutcome::ooOpened) {
        result.Outcome = found->second.Outcome;
        result.Group = found->second.Group;
        return result;
    }
    if (HungUp_) {
        result.Outcome = TOpenOutcome::ooNotFound;
        return result;
    }
    if (State_.Open) {
        result.Outcome = TOpenOutcome::ooBusy;
        return result;
    }
    State_.Open = true;
    State_.OpenedPort = port;
    ++State_.OpenCount;
    result.Outcome = TOpenOutcome::ooOpened;
    result.Device = std::make_shared<TDevice>(*this);
    return result;
}

std::unique_ptr<TSerialTransfer> TFakeSerialDriver::NewTransfer() {
    return std::make_unique<TTransferRecord>(*this);
}

std::unique_ptr<TStopSignal> TFakeSerialDriver::NewStopSignal() {
    return std::make_unique<TStop>(*this);
}

void TFakeSerialDriver::Feed(const ByteString& bytes) {
    std::lock_guard lock(Mutex_);
    Input_ += bytes;
}

size_t TFakeSerialDriver::Pending() const {
    std::lock_guard lock(Mutex_);
    return Input_.size();
}

TFakeSerialDriver::TState TFakeSerialDriver::State() const {
    std::lock_guard lock(Mutex_);
    return State_;
}

ByteString TFakeSerialDriver::Written() const {
    std::lock_guard lock(Mutex_);
    ByteString joined;
    for (const ByteString& write : State_.Writes) {
        joined += write;
    }
    return joined;
}

void TFakeSerialDriver::ClearWrites() {
    std::lock_guard lock(Mutex_);
    State_.Writes.clear();
}

void TFakeSerialDriver::ClearCalls() {
    std::lock_guard lock(Mutex_);
    State_.Calls.clear();
}

void TFakeSerialDriver::FailNext(std::string call, int count) {
    std::lock_guard lock(Mutex_);
    Failures_[std::move(call)] += count;
    LineEventsChanged_.notify_all();
}

void TFakeSerialDriver::FailNextOpen(TOpenOutcome outcome, std::string group, int count) {
    std::lock_guard lock(Mutex_);
    for (int i = 0; i < count; ++i) {
        OpenFailures_.push_back({outcome, group});
    }
}

void TFakeSerialDriver::SetOpenOutcome(const std::string& port, TOpenOutcome outcome,
                                       std::string group) {
    std::lock_guard lock(Mutex_);
    OpenOutcomes_[port] = {outcome, std::move(group)};
}

bool TFakeSerialDriver::Vanished() const {
    std::lock_guard lock(Mutex_);
    return HungUp_ && (!HangUpError_ || IsRemovalError(*HangUpError_));
}

void TFakeSerialDriver::HangUp() {
    std::lock_guard lock(Mutex_);
    HungUp_ = true;
    HangUpError_.reset();
    LineEventsChanged_.notify_all();
}

void TFakeSerialDriver::FailEveryCall(uint32_t error) {
    std::lock_guard lock(Mutex_);
    HungUp_ = true;
    HangUpError_ = error;
    LineEventsChanged_.notify_all();
}

void TFakeSerialDriver::Reconnect() {
    std::lock_guard lock(Mutex_);
    HungUp_ = false;
    HangUpError_.reset();
}

void TFakeSerialDriver::SetCompleteAtOnce(bool atOnce) {
    std::lock_guard lock(Mutex_);
    CompleteAtOnce_ = atOnce;
}

void TFakeSerialDriver::SetErrorFlags(uint32_t flags) {
    std::lock_guard lock(Mutex_);
    ErrorFlags_ = flags;
}

void TFakeSerialDriver::SetModemStatus(uint32_t status) {
    std::lock_guard lock(Mutex_);
    ModemStatus_ = status;
}

void TFakeSerialDriver::RaiseLineEvents(uint32_t mask) {
    std::lock_guard lock(Mutex_);
    LineEvents_.push_back(mask);
    LineEventsChanged_.notify_all();
}

bool TFakeSerialDriver::Call(const std::string& entry) {
    State_.Calls.push_back(entry);
    auto& failures = Failures_[entry.substr(0, entry.find(' '))];
    if (failures > 0) {
        --failures;
        return false;
    }
    return true;
}

bool TFakeSerialDriver::DeviceCall(const std::string& entry) {
    return Call(entry) && !HungUp_;
}

void TFakeSerialDriver::CloseDevice() {
    std::lock_guard lock(Mutex_);
    State_.Calls.push_back("Close");
    State_.Open = false;
}

bool TFakeSerialDriver::SetupComm(uint32_t inQueue, uint32_t outQueue) {
    std::lock_guard lock(Mutex_);
    if (!DeviceCall("SetupComm " + std::to_string(inQueue) + " " + std::to_string(outQueue))) {
        return false;
    }
    State_.InQueueSize = inQueue;
    State_.OutQueueSize = outQueue;
    return true;
}

bool TFakeSerialDriver::SetCommState(const TSerialDcb& dcb) {
    std::lock_guard lock(Mutex_);
    if (!DeviceCall("SetCommState " + std::to_string(dcb.BaudRate))) {
        return false;
    }
    State_.Dcb = dcb;
    // Like the Win32 driver, the control modes "enable" raise the lines at once.
    State_.Dtr = dcb.DtrControl() == TSerialDcb::ControlEnable;
    State_.Rts = dcb.RtsControl() == TSerialDcb::ControlEnable;
    return true;
}

bool TFakeSerialDriver::SetCommTimeouts(const TCommTimeouts& timeouts) {
    std::lock_guard lock(Mutex_);
    if (!DeviceCall("SetCommTimeouts")) {
        return false;
    }
    State_.Timeouts = timeouts;
    return true;
}

bool TFakeSerialDriver::EscapeCommFunction(uint32_t function) {
    std::lock_guard lock(Mutex_);
    if (!DeviceCall("EscapeCommFunction " + std::to_string(function))) {
        return false;
    }
    switch (function) {
        case SerialCode::EscSetRts:
        case SerialCode::EscClrRts:
            State_.Rts = function == SerialCode::EscSetRts;
            return true;
        case SerialCode::EscSetDtr:
        case SerialCode::EscClrDtr:
            State_.Dtr = function == SerialCode::EscSetDtr;
            return true;
        default:
            return false;
    }
}

bool TFakeSerialDriver::PurgeComm(uint32_t flags) {
    std::lock_guard lock(Mutex_);
    if (!DeviceCall("PurgeComm " + std::to_string(flags))) {
        return false;
    }
    if (flags & SerialCode::PurgeRxClear) {
        Input_.clear();
    }
    return true;
}

bool TFakeSerialDriver::WriteFile(const char* buffer, uint32_t count, uint32_t& immediate,
                                  TTransferRecord& transfer) {
    ByteString bytes(buffer, count);
    std::function<void(const ByteString&)> onWrite;
    {
        std::lock_guard lock(Mutex_);
        if (!DeviceCall("WriteFile " + std::to_string(count))) {
            return false;
        }
        State_.Writes.push_back(bytes);
        transfer.Count = count;
        immediate = CompleteAtOnce_ ? count : 0;
        onWrite = OnWrite;
    }
    if (onWrite) {
        onWrite(bytes);
    }
    return true;
}

bool TFakeSerialDriver::ReadFile(char* buffer, uint32_t count, uint32_t& immediate,
                                 TTransferRecord& transfer) {
    std::lock_guard lock(Mutex_);
    if (!DeviceCall("ReadFile " + std::to_string(count))) {
        return false;
    }
    const size_t taken = std::min<size_t>(count, Input_.size());
    std::copy_n(Input_.begin(), taken, buffer);
    Input_.erase(0, taken);
    transfer.Count = static_cast<uint32_t>(taken);
    immediate = CompleteAtOnce_ ? transfer.Count : 0;
    return true;
}

bool TFakeSerialDriver::ClearCommError(TCommStatus& status) {
    std::lock_guard lock(Mutex_);
    if (!DeviceCall("ClearCommError")) {
        return false;
    }
    status.Errors = std::exchange(ErrorFlags_, 0);
    status.InQueue = static_cast<uint32_t>(Input_.size());
    status.OutQueue = 0;
    return true;
}

bool TFakeSerialDriver::GetCommModemStatus(uint32_t& status) {
    std::lock_guard lock(Mutex_);
    if (!DeviceCall("GetCommModemStatus")) {
        return false;
    }
    status = ModemStatus_;
    return true;
}

bool TFakeSerialDriver::SetCommMask(uint32_t mask) {
    std::lock_guard lock(Mutex_);
    if (!DeviceCall("SetCommMask " + std::to_string(mask))) {
        return false;
    }
    State_.EventMask = mask;
    LineEventsChanged_.notify_all();
    return true;
}

TLineWait TFakeSerialDriver::WaitLineEvents(TStop& stop, uint32_t& mask) {
    {
        std::lock_guard lock(Mutex_);
        ++State_.LineWaits;
    }
    if (OnLineWait) {
        OnLineWait();
    }
    std::unique_lock lock(Mutex_);
    int& failures = Failures_["WaitLineEvents"];
    LineEventsChanged_.wait(
        lock, [&] { return stop.Signalled || failures > 0 || HungUp_ || !LineEvents_.empty(); });
    if (stop.Signalled) {
        return TLineWait::lwStopped;
    }
    // A Windows driver completes a pending wait with an error once its device is removed.
    if (failures > 0 || HungUp_) {
        failures -= failures > 0 ? 1 : 0;
        return TLineWait::lwIncomplete;
    }
    mask = LineEvents_.front() & State_.EventMask;
    LineEvents_.pop_front();
    return mask != 0 ? TLineWait::lwEvents : TLineWait::lwNoEvents;
}

bool TFakeSerialDriver::TransferWait() {
    std::lock_guard lock(Mutex_);
    return Call("Wait");
}

bool TFakeSerialDriver::TransferResult(const TTransferRecord& transfer, uint32_t& count) {
    std::lock_guard lock(Mutex_);
    if (!Call("Result")) {
        return false;
    }
    count = transfer.Count;
    return true;
}

void TFakeSerialDriver::Stop(TStop& stop) {
    std::lock_guard lock(Mutex_);
    stop.Signalled = true;
    LineEventsChanged_.notify_all();
}
