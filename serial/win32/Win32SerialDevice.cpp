#include "serial/win32/Win32SerialDevice.h"

#include <utility>

#include "serial/DeviceRemoval.h"
#include "serial/win32/Win32StopSignal.h"
#include "serial/win32/Win32Transfer.h"

namespace {

DCB ToDcb(const TSerialDcb& block) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = block.BaudRate;
    dcb.fBinary = (block.Flags & TSerialDcb::Binary) != 0;
    dcb.fParity = (block.Flags & TSerialDcb::ParityCheck) != 0;
    dcb.fOutxCtsFlow = (block.Flags & TSerialDcb::OutxCtsFlow) != 0;
    dcb.fOutxDsrFlow = (block.Flags & TSerialDcb::OutxDsrFlow) != 0;
    dcb.fDtrControl = block.DtrControl();
    dcb.fDsrSensitivity = (block.Flags & TSerialDcb::DsrSensitivity) != 0;
    dcb.fTXContinueOnXoff = (block.Flags & TSerialDcb::TxContinueOnXoff) != 0;
    dcb.fOutX = (block.Flags & TSerialDcb::OutX) != 0;
    dcb.fInX = (block.Flags & TSerialDcb::InX) != 0;
    dcb.fErrorChar = (block.Flags & TSerialDcb::ErrorCharFlag) != 0;
    dcb.fNull = (block.Flags & TSerialDcb::NullStrip) != 0;
    dcb.fRtsControl = block.RtsControl();
    dcb.fAbortOnError = (block.Flags & TSerialDcb::AbortOnError) != 0;
    dcb.XonLim = block.XonLim;
    dcb.XoffLim = block.XoffLim;
    dcb.ByteSize = block.ByteSize;
    dcb.Parity = block.Parity;
    dcb.StopBits = block.StopBits;
    dcb.XonChar = static_cast<char>(block.XonChar);
    dcb.XoffChar = static_cast<char>(block.XoffChar);
    dcb.ErrorChar = static_cast<char>(block.ErrorChar);
    dcb.EofChar = static_cast<char>(block.EofChar);
    dcb.EvtChar = static_cast<char>(block.EvtChar);
    return dcb;
}

// A write or a read has started when it completed at once or is pending on the record's block.
template <typename Start>
bool StartTransfer(HANDLE device, TSerialTransfer& transfer, uint32_t& immediate, Start start) {
    auto& record = static_cast<TWin32Transfer&>(transfer);
    DWORD done = 0;
    const BOOL completed = start(&done, record.Begin(device));
    const bool pending = !completed && ::GetLastError() == ERROR_IO_PENDING;
    record.SetPending(pending);
    immediate = done;
    return completed || pending;
}

}  // namespace

TWin32SerialDevice::TWin32SerialDevice(TUniqueHandle handle)
    : EventWaitDone_(NewEvent(true, true)), Handle_(std::move(handle)) {
    EventWait_.hEvent = EventWaitDone_.Get();
}

TWin32SerialDevice::~TWin32SerialDevice() {
    if (EventWaitPending_) {
        CancelAndWait(Handle_.Get(), EventWait_);
    }
}

bool TWin32SerialDevice::SetupComm(uint32_t inQueue, uint32_t outQueue) {
    return ::SetupComm(Handle_.Get(), inQueue, outQueue) != FALSE;
}

bool TWin32SerialDevice::SetCommState(const TSerialDcb& block) {
    DCB dcb = ToDcb(block);
    return ::SetCommState(Handle_.Get(), &dcb) != FALSE;
}

bool TWin32SerialDevice::SetCommTimeouts(const TCommTimeouts& timeouts) {
    COMMTIMEOUTS block{timeouts.ReadIntervalTimeout, timeouts.ReadTotalTimeoutMultiplier,
                       timeouts.ReadTotalTimeoutConstant, timeouts.WriteTotalTimeoutMultiplier,
                       timeouts.WriteTotalTimeoutConstant};
    if (!::SetCommTimeouts(Handle_.Get(), &block)) {
        return false;
    }
    ReadsReturnAtOnce_ = block.ReadIntervalTimeout == MAXDWORD &&
                         block.ReadTotalTimeoutMultiplier == 0 &&
                         block.ReadTotalTimeoutConstant == 0;
    return true;
}

bool TWin32SerialDevice::EscapeCommFunction(uint32_t function) {
    return ::EscapeCommFunction(Handle_.Get(), function) != FALSE;
}

// A status query answers with the error the driver gives every request once the device is gone.
bool TWin32SerialDevice::Vanished() {
    DWORD status = 0;
    return !::GetCommModemStatus(Handle_.Get(), &status) && IsRemovalError(::GetLastError());
}

bool TWin32SerialDevice::PurgeComm(uint32_t flags) {
    return ::PurgeComm(Handle_.Get(), flags) != FALSE;
}

bool TWin32SerialDevice::WriteFile(const char* buffer, uint32_t count, uint32_t& immediate,
                                   TSerialTransfer& transfer) {
    return StartTransfer(Handle_.Get(), transfer, immediate, [&](DWORD* done, OVERLAPPED* block) {
        return ::WriteFile(Handle_.Get(), buffer, count, done, block);
    });
}

bool TWin32SerialDevice::ReadFile(char* buffer, uint32_t count, uint32_t& immediate,
                                  TSerialTransfer& transfer) {
    const bool started =
        StartTransfer(Handle_.Get(), transfer, immediate, [&](DWORD* done, OVERLAPPED* block) {
            return ::ReadFile(Handle_.Get(), buffer, count, done, block);
        });
    // Windows completes such a read at once; Wine queues it until a byte comes, for ever if the
    // panel is silent.
    if (started && ReadsReturnAtOnce_) {
        static_cast<TWin32Transfer&>(transfer).FinishNow();
    }
    return started;
}

bool TWin32SerialDevice::ClearCommError(TCommStatus& status) {
    DWORD errors = 0;
    COMSTAT queues{};
    if (!::ClearCommError(Handle_.Get(), &errors, &queues)) {
        return false;
    }
    status.Errors = errors;
    status.InQueue = queues.cbInQue;
    status.OutQueue = queues.cbOutQue;
    return true;
}

bool TWin32SerialDevice::GetCommModemStatus(uint32_t& status) {
    DWORD lines = 0;
    if (!::GetCommModemStatus(Handle_.Get(), &lines)) {
        return false;
    }
    status = lines;
    return true;
}

bool TWin32SerialDevice::SetCommMask(uint32_t mask) {
    return ::SetCommMask(Handle_.Get(), mask) != FALSE;
}

TLineWait TWin32SerialDevice::WaitLineEvents(TStopSignal& stop, uint32_t& mask) {
    if (!EventWaitPending_) {
        EventMask_ = 0;
        const BOOL completed = ::WaitCommEvent(Handle_.Get(), &EventMask_, &EventWait_);
        EventWaitPending_ = completed || ::GetLastError() == ERROR_IO_PENDING;
        // A wait that could not start leaves the last block signalled; waiting on it again
        // would report the same events for ever.
        if (!EventWaitPending_) {
            return TLineWait::lwFailed;
        }
    }
    const HANDLE waits[2] = {static_cast<TWin32StopSignal&>(stop).Event(), EventWait_.hEvent};
    const DWORD woken = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (woken == WAIT_OBJECT_0) {
        return TLineWait::lwStopped;
    }
    if (woken != WAIT_OBJECT_0 + 1) {
        return TLineWait::lwFailed;
    }
    DWORD unused = 0;
    const BOOL finished = ::GetOverlappedResult(Handle_.Get(), &EventWait_, &unused, FALSE);
    EventWaitPending_ = false;
    if (!finished) {
        return TLineWait::lwIncomplete;
    }
    mask = EventMask_;
    return TLineWait::lwEvents;
}
