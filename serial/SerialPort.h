#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "serial/ByteString.h"
#include "serial/ESerialPort.h"
#include "serial/PlatformSerialDriver.h"
#include "serial/SerialEvents.h"
#include "serial/SerialTimeouts.h"
#include "serial/SerialTypes.h"

// Owned or used inside the component, declared in SerialDriver.h, Transfer.h and monitor/.
class TSerialDevice;
struct TSerialDcb;
struct TCommTimeouts;
struct TCommStatus;
struct TTransfer;
class TMainThreadQueue;
class TEventWindow;
struct TWindowMessage;
class TLineMonitor;

// The serial port the configurator talks to the panel through: its line settings, open and close,
// DTR and RTS, and byte transfers that are finished when their call returns. Every failure raises
// ESerialPort with a fixed message.
class TSerialPort {
  public:
    explicit TSerialPort(std::shared_ptr<TSerialDriver> driver = PlatformSerialDriver());
    ~TSerialPort();
    TSerialPort(const TSerialPort&) = delete;
    TSerialPort& operator=(const TSerialPort&) = delete;

    // Returns true or raises.
    bool Open();
    // Always ends closed; a failure to drop the lines or purge is raised after that.
    bool Close();
    bool Connected() const { return Connected_; }
    // True from the moment a transfer, the monitor or Close finds the device gone (a pulled
    // adapter, a hung-up terminal) until the next Open.
    bool DeviceVanished() const { return DeviceVanished_; }
    // Called once on the GUI thread, from ServiceSyncCalls on every delivery route, when the
    // monitor finds the device gone while the port is open; a Close that comes first drops it.
    // The monitor does not wait for it and has ended its waits, so the hook may call Close
    // directly. What it raises leaves ServiceSyncCalls.
    void SetOnDeviceVanished(std::function<void()> hook) { OnDeviceVanished_ = std::move(hook); }

    TBaudRate BaudRate() const { return BaudRate_; }
    void SetBaudRate(TBaudRate value);
    TByteSize ByteSize() const { return ByteSize_; }
    void SetByteSize(TByteSize value);
    int32_t InBufSize() const { return InBufSize_; }
    void SetInBufSize(int32_t value);
    int32_t OutBufSize() const { return OutBufSize_; }
    void SetOutBufSize(int32_t value);
    TParity Parity() const { return Parity_; }
    void SetParity(TParity value);
    // A device path (/dev/ttyUSB0) or a bare name (COM3, ttyUSB0).
    const std::string& Port() const { return Port_; }
    void SetPort(const std::string& value);
    TSyncMethod SyncMethod() const { return SyncMethod_; }
    void SetSyncMethod(TSyncMethod value);
    TStopBits StopBits() const { return StopBits_; }
    void SetStopBits(TStopBits value);
    TSerialTimeouts& Timeouts() { return Timeouts_; }
    const TSerialTimeouts& Timeouts() const { return Timeouts_; }
    void SetTimeouts(const TSerialTimeouts& value);

    const TLineSignalEvent& OnCTSChange() const { return OnCTSChange_; }
    void SetOnCTSChange(TLineSignalEvent handler) { OnCTSChange_ = std::move(handler); }
    const TLineSignalEvent& OnDSRChange() const { return OnDSRChange_; }
    void SetOnDSRChange(TLineSignalEvent handler) { OnDSRChange_ = std::move(handler); }
    const TLineErrorEvent& OnError() const { return OnError_; }
    void SetOnError(TLineErrorEvent handler) { OnError_ = std::move(handler); }
    const TNotifyEvent& OnRing() const { return OnRing_; }
    void SetOnRing(TNotifyEvent handler) { OnRing_ = std::move(handler); }
    const TLineSignalEvent& OnRLSDChange() const { return OnRLSDChange_; }
    void SetOnRLSDChange(TLineSignalEvent handler) { OnRLSDChange_ = std::move(handler); }
    const TNotifyEvent& OnRx80Full() const { return OnRx80Full_; }
    void SetOnRx80Full(TNotifyEvent handler) { OnRx80Full_ = std::move(handler); }
    const TRxCharEvent& OnRxChar() const { return OnRxChar_; }
    void SetOnRxChar(TRxCharEvent handler) { OnRxChar_ = std::move(handler); }
    const TNotifyEvent& OnTxEmpty() const { return OnTxEmpty_; }
    void SetOnTxEmpty(TNotifyEvent handler) { OnTxEmpty_ = std::move(handler); }

    void ConfigureQueues();
    void ConfigureLine();
    void ConfigureTimeouts();
    void ConfigureAll();
    void DriveDTR(bool state);
    void DriveRTS(bool state);
    void AbortTransfers();

    std::unique_ptr<TTransfer> NewTransfer();
    void DisposeTransfer(std::unique_ptr<TTransfer>& transfer);
    int32_t BeginWrite(const char* buffer, int32_t count, TTransfer* transfer);
    int32_t BeginWriteBytes(const ByteString& str, TTransfer* transfer);
    int32_t BeginRead(char* buffer, int32_t count, TTransfer* transfer);
    int32_t BeginReadBytes(ByteString& str, int32_t count, TTransfer* transfer);
    int32_t EndTransfer(TTransfer* transfer);

    int32_t WriteBytes(const ByteString& str);
    int32_t ReadBytes(ByteString& str, int32_t count);
    int32_t BytesWaiting();
    TModemSignals ModemSignals();

    // Line-event delivery. The wake-up hook runs on the monitor thread whenever a delivery waits
    // for the GUI thread, which then calls ServiceSyncCalls; Close also runs the waiting
    // deliveries while it waits for the monitor. Where the hidden window is the component's own
    // stand-in, ServiceSyncCalls also takes the messages sent to it.
    void SetSyncWakeup(std::function<void()> wake);
    void ServiceSyncCalls();
    // Shows what a handler raised on the window route; without one it is dropped.
    void SetWindowExceptionHandler(std::function<void(std::exception_ptr)> handler) {
        WindowExceptionHandler_ = std::move(handler);
    }

  private:
    friend class TSerialPortInternals;

    // The line-event monitor's notifiers and the hidden window's procedure, which only they and
    // the component's tests reach, through TSerialPortInternals.
    void NotifyRxChar();
    void NotifyTxEmpty();
    void NotifyRing();
    void NotifyCTSChange();
    void NotifyDSRChange();
    void NotifyRLSDChange();
    void NotifyError();
    void NotifyRx80Full();
    intptr_t EventWindowProc(const TWindowMessage& message);

    void OpenDevice();
    void StartMonitor();
    void StopMonitor();
    void ReleaseDevice();
    void Require(bool succeeded, const char* message) const;
    void RequireTransfer(bool succeeded, TTransferKind direction);
    // Monitor thread: the device is gone; the GUI thread hears of it through NotifyDeviceVanished.
    void ReportDeviceVanished();
    void NotifyDeviceVanished();
    template <typename T>
    void StoreLineSetting(T& field, const T& value);
    template <typename T>
    void StoreWhileClosed(T& field, const T& value);
    void Escape(uint32_t function);
    template <typename Start>
    int32_t BeginTransfer(TTransfer* transfer, TTransferKind direction, Start start);
    TCommStatus CommStatus();
    void Notify(const TNotifyEvent& handler);
    void NotifySignal(const TLineSignalEvent& handler, TModemSignal signal);
    void NotifyLineEvent(TLineEvent event);
    // The control block ConfigureLine hands to the driver.
    TSerialDcb ControlBlock() const;
    TCommTimeouts TimeoutsBlock() const;

    std::shared_ptr<TSerialDriver> Driver_;
    // The open device, shared with the line-event monitor; empty while closed.
    std::shared_ptr<TSerialDevice> Handle_;
    std::unique_ptr<TMainThreadQueue> SyncCalls_;
    std::function<void(std::exception_ptr)> WindowExceptionHandler_;
    std::unique_ptr<TEventWindow> WindowHandle_;
    std::unique_ptr<TLineMonitor> Monitor_;
    bool Connected_ = false;
    std::atomic<bool> DeviceVanished_ = false;
    std::function<void()> OnDeviceVanished_;

    TBaudRate BaudRate_ = br9600;
    TByteSize ByteSize_ = bs8;
    int32_t InBufSize_ = 2048;
    int32_t OutBufSize_ = 2048;
    TParity Parity_ = paNone;
    std::string Port_ = "COM2";
    TSyncMethod SyncMethod_ = smThreadSync;
    TStopBits StopBits_ = sb1;
    TSerialTimeouts Timeouts_{this};

    TLineSignalEvent OnCTSChange_;
    TLineSignalEvent OnDSRChange_;
    TLineErrorEvent OnError_;
    TNotifyEvent OnRing_;
    TLineSignalEvent OnRLSDChange_;
    TNotifyEvent OnRx80Full_;
    TRxCharEvent OnRxChar_;
    TNotifyEvent OnTxEmpty_;

    TLineEvents WatchedEvents_{leRxChar, leTxEmpty, leRing,  leCTS,
                               leDSR,    leRLSD,    leError, leRx80Full};
};
