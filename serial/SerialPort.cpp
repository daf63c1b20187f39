#include "serial/SerialPort.h"

#include <exception>
#include <utility>

#include "serial/SerialDriver.h"
#include "serial/SerialMessages.h"
#include "serial/monitor/EventWindow.h"
#include "serial/monitor/LineMonitor.h"
#include "serial/monitor/MainThreadQueue.h"

namespace {

int32_t EvenQueueSize(int32_t value) {
    return value > 0 && value % 2 != 0 ? value - 1 : value;
}

uint32_t TimeoutValue(int32_t value) {
    return value < 0 ? TCommTimeouts::NoTimeout : static_cast<uint32_t>(value);
}

// Runs one step of Close and keeps the first failure for later, so the steps after it still run.
// A device that has hung up or vanished cannot drop its lines or discard its queues; that is no
// failure worth reporting, as the port is closed all the same.
template <typename Step>
void Attempt(std::exception_ptr& failure, TSerialDevice* device, std::atomic<bool>& vanished,
             Step step) {
    try {
        step();
    } catch (const ESerialPort&) {
        if (device && device->Vanished()) {
            vanished = true;
        } else if (!failure) {
            failure = std::current_exception();
        }
    }
}

}  // namespace

TSerialPort::TSerialPort(std::shared_ptr<TSerialDriver> driver)
    : Driver_(std::move(driver)), SyncCalls_(std::make_unique<TMainThreadQueue>()) {}

TSerialPort::~TSerialPort() {
    try {
        Close();
    } catch (const ESerialPort&) {
        // The port is closed all the same; a destructor has no one to report to.
    }
}

bool TSerialPort::Open() {
    if (Connected_) {
        return true;
    }
    DeviceVanished_ = false;
    OpenDevice();
    Connected_ = true;
    try {
        ConfigureAll();
        StartMonitor();
    } catch (...) {
        StopMonitor();
        ReleaseDevice();
        Connected_ = false;
        throw;
    }
    return Connected_;
}

void TSerialPort::OpenDevice() {
    TOpenResult result = Driver_->Open(Port_);
    switch (result.Outcome) {
        case TOpenOutcome::ooOpened:
            Handle_ = std::move(result.Device);
            return;
        case TOpenOutcome::ooNotFound:
            throw ESerialPort(SerialMessage::NotFound);
        case TOpenOutcome::ooBusy:
            throw ESerialPort(SerialMessage::Busy);
        case TOpenOutcome::ooNoPermission:
            throw ESerialPort(SerialMessage::NoPermission(result.Group));
        case TOpenOutcome::ooOther:
            break;
    }
    // Any other failure leaves the handle invalid; configuring it then fails at SetupComm.
    Handle_.reset();
}

bool TSerialPort::Close() {
    if (!Connected_) {
        return true;
    }
    std::exception_ptr failure;
    Attempt(failure, Handle_.get(), DeviceVanished_, [this] { DriveDTR(false); });
    Attempt(failure, Handle_.get(), DeviceVanished_, [this] { DriveRTS(false); });
    Attempt(failure, Handle_.get(), DeviceVanished_, [this] { AbortTransfers(); });
    StopMonitor();
    ReleaseDevice();
    Connected_ = false;
    if (failure) {
        std::rethrow_exception(failure);
    }
    return true;
}

void TSerialPort::StartMonitor() {
    if (SyncMethod_ == smWindowSync) {
        WindowHandle_ = NewEventWindow(*this);
    }
    Monitor_ = std::make_unique<TLineMonitor>(*this);
}

// The monitor goes first, so it never sees the hidden window disappear. It is let go of before it
// ends, so that a vanish notice that its end runs finds no monitor and is dropped.
void TSerialPort::StopMonitor() {
    std::unique_ptr<TLineMonitor> monitor = std::move(Monitor_);
    monitor.reset();
    WindowHandle_.reset();
}

void TSerialPort::ReportDeviceVanished() {
    DeviceVanished_ = true;
    SyncCalls_->Post([this] { NotifyDeviceVanished(); });
}

void TSerialPort::NotifyDeviceVanished() {
    if (Monitor_ && OnDeviceVanished_) {
        OnDeviceVanished_();
    }
}

void TSerialPort::SetSyncWakeup(std::function<void()> wake) {
    SyncCalls_->SetWakeup(std::move(wake));
}

void TSerialPort::ServiceSyncCalls() {
    SyncCalls_->ServicePending();
}

void TSerialPort::ReleaseDevice() {
    Handle_.reset();
}

void TSerialPort::Require(bool succeeded, const char* message) const {
    if (!succeeded) {
        throw ESerialPort(message);
    }
}

// Assigning the value a property already holds does nothing at all, not even a refusal.
template <typename T>
void TSerialPort::StoreLineSetting(T& field, const T& value) {
    if (value == field) {
        return;
    }
    field = value;
    ConfigureLine();
}

template <typename T>
void TSerialPort::StoreWhileClosed(T& field, const T& value) {
    if (value == field) {
        return;
    }
    Require(!Connected_, SerialMessage::PropertyWhileOpen);
    field = value;
}

void TSerialPort::SetBaudRate(TBaudRate value) {
    StoreLineSetting(BaudRate_, value);
}

void TSerialPort::SetByteSize(TByteSize value) {
    StoreLineSetting(ByteSize_, value);
}

void TSerialPort::SetInBufSize(int32_t value) {
    if (value == InBufSize_) {
        return;
    }
    InBufSize_ = EvenQueueSize(value);
    ConfigureQueues();
}

void TSerialPort::SetOutBufSize(int32_t value) {
    if (value == OutBufSize_) {
        return;
    }
    OutBufSize_ = EvenQueueSize(value);
    ConfigureQueues();
}

void TSerialPort::SetParity(TParity value) {
    StoreLineSetting(Parity_, value);
}

void TSerialPort::SetPort(const std::string& value) {
    StoreWhileClosed(Port_, value);
}

void TSerialPort::SetSyncMethod(TSyncMethod value) {
    StoreWhileClosed(SyncMethod_, value);
}

void TSerialPort::SetStopBits(TStopBits value) {
    StoreLineSetting(StopBits_, value);
}

void TSerialPort::SetTimeouts(const TSerialTimeouts& value) {
    Timeouts_.Assign(value);
    ConfigureTimeouts();
}

void TSerialPort::ConfigureQueues() {
    if (!Connected_) {
        return;
    }
    Require(Handle_ && Handle_->SetupComm(static_cast<uint32_t>(InBufSize_),
                                          static_cast<uint32_t>(OutBufSize_)),
            SerialMessage::SetupComm);
}

void TSerialPort::ConfigureLine() {
    if (!Connected_) {
        return;
    }
    const TSerialDcb dcb = ControlBlock();
    Require(dcb.BaudRate != 0 && Handle_ && Handle_->SetCommState(dcb),
            SerialMessage::SetCommState);
}

void TSerialPort::ConfigureTimeouts() {
    if (!Connected_) {
        return;
    }
    Require(Handle_ && Handle_->SetCommTimeouts(TimeoutsBlock()), SerialMessage::SetCommTimeouts);
}

void TSerialPort::ConfigureAll() {
    ConfigureQueues();
    ConfigureLine();
    ConfigureTimeouts();
}

TSerialDcb TSerialPort::ControlBlock() const {
    TSerialDcb dcb;
    dcb.BaudRate = BaudRateValue(BaudRate_);
    dcb.Flags = TSerialDcb::Binary | (TSerialDcb::ControlEnable << TSerialDcb::DtrControlShift) |
                (TSerialDcb::ControlEnable << TSerialDcb::RtsControlShift);
    if (Parity_ != paNone) {
        dcb.Flags |= TSerialDcb::ParityCheck;
    }
    dcb.ByteSize = static_cast<uint8_t>(ByteSize_ + 5);
    dcb.Parity = static_cast<uint8_t>(Parity_);
    dcb.StopBits = static_cast<uint8_t>(StopBits_);
    dcb.XonChar = 17;
    dcb.XoffChar = 19;
    return dcb;
}

TCommTimeouts TSerialPort::TimeoutsBlock() const {
    TCommTimeouts block;
    block.ReadIntervalTimeout = TimeoutValue(Timeouts_.ReadInterval());
    block.ReadTotalTimeoutMultiplier = TimeoutValue(Timeouts_.ReadTotalMultiplier());
    block.ReadTotalTimeoutConstant = TimeoutValue(Timeouts_.ReadTotalConstant());
    block.WriteTotalTimeoutMultiplier = TimeoutValue(Timeouts_.WriteTotalMultiplier());
    block.WriteTotalTimeoutConstant = TimeoutValue(Timeouts_.WriteTotalConstant());
    return block;
}

void TSerialPort::DriveDTR(bool state) {
    Escape(state ? SerialCode::EscSetDtr : SerialCode::EscClrDtr);
}

void TSerialPort::DriveRTS(bool state) {
    Escape(state ? SerialCode::EscSetRts : SerialCode::EscClrRts);
}

void TSerialPort::Escape(uint32_t function) {
    Require(Handle_ && Handle_->EscapeCommFunction(function), SerialMessage::EscapeCommFunction);
}

void TSerialPort::AbortTransfers() {
    Require(Handle_ && Handle_->PurgeComm(SerialCode::PurgeTxAbort | SerialCode::PurgeRxAbort),
            SerialMessage::PurgeComm);
}
