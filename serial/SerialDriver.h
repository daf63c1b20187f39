#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "serial/SerialCodes.h"

// The narrow interface between TSerialPort and the platform's serial API. It is shaped after the
// Win32 communications calls so that the component's algorithms read the same on every platform:
// every call answers true on success and false on failure, and the component picks the message.

// What the component puts into the device control block.
struct TSerialDcb {
    static constexpr uint32_t Binary = 0x0001;
    static constexpr uint32_t ParityCheck = 0x0002;
    static constexpr uint32_t OutxCtsFlow = 0x0004;
    static constexpr uint32_t OutxDsrFlow = 0x0008;
    static constexpr uint32_t DtrControlShift = 4;
    static constexpr uint32_t DtrControlMask = 0x0030;
    static constexpr uint32_t DsrSensitivity = 0x0040;
    static constexpr uint32_t TxContinueOnXoff = 0x0080;
    static constexpr uint32_t OutX = 0x0100;
    static constexpr uint32_t InX = 0x0200;
    static constexpr uint32_t ErrorCharFlag = 0x0400;
    static constexpr uint32_t NullStrip = 0x0800;
    static constexpr uint32_t RtsControlShift = 12;
    static constexpr uint32_t RtsControlMask = 0x3000;
    static constexpr uint32_t AbortOnError = 0x4000;

    static constexpr uint32_t ControlDisable = 0;
    static constexpr uint32_t ControlEnable = 1;
    static constexpr uint32_t ControlHandshake = 2;

    uint32_t BaudRate = 0;
    uint32_t Flags = 0;
    uint16_t XonLim = 0;
    uint16_t XoffLim = 0;
    uint8_t ByteSize = 0;
    uint8_t Parity = 0;
    uint8_t StopBits = 0;
    uint8_t XonChar = 0;
    uint8_t XoffChar = 0;
    uint8_t ErrorChar = 0;
    uint8_t EofChar = 0;
    uint8_t EvtChar = 0;

    uint32_t DtrControl() const { return (Flags & DtrControlMask) >> DtrControlShift; }
    uint32_t RtsControl() const { return (Flags & RtsControlMask) >> RtsControlShift; }
    bool operator==(const TSerialDcb&) const = default;
};

// The five values of the driver's timeouts block, in its order; NoTimeout is MAXDWORD.
struct TCommTimeouts {
    static constexpr uint32_t NoTimeout = 0xFFFFFFFF;

    uint32_t ReadIntervalTimeout = 0;
    uint32_t ReadTotalTimeoutMultiplier = 0;
    uint32_t ReadTotalTimeoutConstant = 0;
    uint32_t WriteTotalTimeoutMultiplier = 0;
    uint32_t WriteTotalTimeoutConstant = 0;

    bool operator==(const TCommTimeouts&) const = default;
};

// What ClearCommError reports; reading it clears the error flags.
struct TCommStatus {
    uint32_t Errors = 0;
    uint32_t InQueue = 0;
    uint32_t OutQueue = 0;
};

// One transfer in flight: the overlapped block with its manual-reset event. A new transfer's event
// is signalled and its block reports a finished transfer of 0 bytes.
class TSerialTransfer {
  public:
    virtual ~TSerialTransfer() = default;
    // Waits without a time limit until the started transfer has completed.
    virtual bool Wait() = 0;
    // The completed transfer's byte count, without waiting; false when the transfer failed.
    virtual bool Result(uint32_t& count) = 0;
};

// Ends a line-event wait from another thread. Once signalled it stays signalled.
class TStopSignal {
  public:
    virtual ~TStopSignal() = default;
    virtual void Signal() = 0;
};

enum class TLineWait {
    lwEvents,       // mask holds the comm-event flags that occurred
    lwNoEvents,     // the wait completed but reported nothing usable; wait again
    lwIncomplete,   // the wait ended without a result; wait again, unless it keeps ending so
    lwStopped,      // the stop signal was seen (it wins over events that came at the same time)
    lwFailed,       // the wait itself failed; the monitor ends
    lwNotSupported  // this driver cannot wait for line events yet
};

// One open device; destroying it closes the device. The monitor thread holds it beside the
// component, so every call must be safe while another thread waits in WaitLineEvents.
class TSerialDevice {
  public:
    virtual ~TSerialDevice() = default;

    virtual bool SetupComm(uint32_t inQueue, uint32_t outQueue) = 0;
    virtual bool SetCommState(const TSerialDcb& dcb) = 0;
    virtual bool SetCommTimeouts(const TCommTimeouts& timeouts) = 0;
    virtual bool EscapeCommFunction(uint32_t function) = 0;
    virtual bool PurgeComm(uint32_t flags) = 0;

    // Start a transfer on the given record: true when it completed at once (count then holds
    // its byte count) or is pending; false when it could not be started. The buffer must stay
    // valid until the transfer has completed.
    virtual bool WriteFile(const char* buffer, uint32_t count, uint32_t& immediate,
                           TSerialTransfer& transfer) = 0;
    virtual bool ReadFile(char* buffer, uint32_t count, uint32_t& immediate,
                          TSerialTransfer& transfer) = 0;

    virtual bool ClearCommError(TCommStatus& status) = 0;
    virtual bool GetCommModemStatus(uint32_t& status) = 0;

    // The comm-event flags (LineEventFlag) that WaitLineEvents reports.
    virtual bool SetCommMask(uint32_t mask) = 0;
    // Blocks until one of the masked events occurs or stop is signalled. Win32: WaitCommEvent
    // on the device's own overlapped block, then WaitForMultipleObjects over the stop event and
    // the block's event. Linux: epoll over the device and the stop signal's eventfd.
    virtual TLineWait WaitLineEvents(TStopSignal& stop, uint32_t& mask) = 0;

    // Whether the device has hung up or gone away (a pulled cable or adapter), so that it can
    // take no request any more.
    virtual bool Vanished() = 0;
};

enum class TOpenOutcome { ooOpened, ooNotFound, ooBusy, ooNoPermission, ooOther };

struct TOpenResult {
    std::shared_ptr<TSerialDevice> Device;  // set only when Outcome is ooOpened
    TOpenOutcome Outcome = TOpenOutcome::ooOther;
    std::string Group;  // ooNoPermission: the group that owns the device, when known
};

class TSerialDriver {
  public:
    virtual ~TSerialDriver() = default;

    // Opens the named device for exclusive use.
    virtual TOpenResult Open(const std::string& port) = 0;
    virtual std::unique_ptr<TSerialTransfer> NewTransfer() = 0;
    virtual std::unique_ptr<TStopSignal> NewStopSignal() = 0;
};
