#include "serial/linux/LinuxSerialDevice.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "serial/DeviceRemoval.h"
#include "serial/SerialCodes.h"
#include "serial/linux/LinuxLineSettings.h"
#include "serial/linux/LinuxStopSignal.h"
#include "serial/linux/LinuxTransfer.h"

namespace {

bool NoSuchLines(int error) {
    return error == ENOTTY || error == EINVAL;
}

// The UART makes 1.5 stop bits only from 5 data bits, and cannot make 2 from 5.
bool LineIsPossible(const TSerialDcb& dcb) {
    const bool stopBitsFit = dcb.StopBits == 0 || (dcb.StopBits == 1 && dcb.ByteSize == 5) ||
                             (dcb.StopBits == 2 && dcb.ByteSize != 5);
    return dcb.BaudRate != 0 && dcb.ByteSize >= 5 && dcb.ByteSize <= 8 && dcb.Parity <= 4 &&
           stopBitsFit && dcb.DtrControl() <= TSerialDcb::ControlEnable &&
           dcb.RtsControl() <= TSerialDcb::ControlHandshake;
}

int PollFor(int fd, short events, int timeoutMs) {
    pollfd entry{fd, events, 0};
    int ready;
    do {
        ready = ::poll(&entry, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready > 0 && (entry.revents & (POLLERR | POLLNVAL))) {
        return -1;
    }
    return ready;
}

int RemainingMs(const std::optional<std::chrono::steady_clock::time_point>& deadline) {
    if (!deadline) {
        return -1;
    }
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(*deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<int64_t>(left.count(), 0, 1 << 30));
}

}  // namespace

TLinuxSerialDevice::TLinuxSerialDevice(TUniqueFd fd) : Fd_(std::move(fd)) {
    // The error counters' starting point, so that the first error after opening is reported.
    LineErrors();
}

TLinuxSerialDevice::~TLinuxSerialDevice() {
    ::ioctl(Fd_.Get(), TIOCNXCL);
}

bool TLinuxSerialDevice::SetupComm(uint32_t, uint32_t) {
    // The kernel sizes its own queues.
    return true;
}

bool TLinuxSerialDevice::SetCommState(const TSerialDcb& dcb) {
    if (!LineIsPossible(dcb)) {
        return false;
    }
    if (!ApplyLineSettings(Fd_.Get(), dcb) || !ApplyLineControls(dcb)) {
        return false;
    }
    const uint32_t bitsPerChar = 1 + dcb.ByteSize + (dcb.Parity != 0 ? 1 : 0) + 2;
    CharMicroseconds_ = std::max<uint32_t>(1, bitsPerChar * 1000000 / dcb.BaudRate);
    return true;
}

bool TLinuxSerialDevice::ApplyLineControls(const TSerialDcb& dcb) {
    const bool dtr =
        ModemLines(dcb.DtrControl() == TSerialDcb::ControlEnable ? TIOCMBIS : TIOCMBIC, TIOCM_DTR);
    if (dcb.RtsControl() == TSerialDcb::ControlHandshake) {
        return dtr;
    }
    return ModemLines(dcb.RtsControl() == TSerialDcb::ControlEnable ? TIOCMBIS : TIOCMBIC,
                      TIOCM_RTS) &&
           dtr;
}

bool TLinuxSerialDevice::ModemLines(unsigned long request, int lines) {
    return ::ioctl(Fd_.Get(), request, &lines) == 0 || NoSuchLines(errno);
}

// A terminal that has hung up is gone, though its requests may not fail yet: a pseudo-terminal
// shows the hang-up when its other end closes, a moment before the kernel makes every request on
// it fail. Otherwise a modem-line query answers with the error a gone device gives every request.
bool TLinuxSerialDevice::Vanished() {
    pollfd entry{Fd_.Get(), 0, 0};
    if (::poll(&entry, 1, 0) == 1 && (entry.revents & POLLHUP) != 0) {
        return true;
    }
    int lines = 0;
    return ::ioctl(Fd_.Get(), TIOCMGET, &lines) != 0 &&
           IsRemovalError(static_cast<uint32_t>(errno));
}

bool TLinuxSerialDevice::SetCommTimeouts(const TCommTimeouts& timeouts) {
    Timeouts_ = timeouts;
    return true;
}

bool TLinuxSerialDevice::EscapeCommFunction(uint32_t function) {
    switch (function) {
        case SerialCode::EscSetRts:
            return ModemLines(TIOCMBIS, TIOCM_RTS);
        case SerialCode::EscClrRts:
            return ModemLines(TIOCMBIC, TIOCM_RTS);
        case SerialCode::EscSetDtr:
            return ModemLines(TIOCMBIS, TIOCM_DTR);
        case SerialCode::EscClrDtr:
            return ModemLines(TIOCMBIC, TIOCM_DTR);
        default:
            return false;
    }
}

bool TLinuxSerialDevice::PurgeComm(uint32_t flags) {
    const bool output = flags & SerialCode::PurgeTxClear;
    const bool input = flags & SerialCode::PurgeRxClear;
    // Transfers complete inside their calls, so there is never one left to abort.
    if (!output && !input) {
        return true;
    }
    return ::tcflush(Fd_.Get(), output && input ? TCIOFLUSH : output ? TCOFLUSH : TCIFLUSH) == 0;
}

TLinuxSerialDevice::TDeadline TLinuxSerialDevice::TotalDeadline(uint32_t multiplier,
                                                                uint32_t constant, uint32_t count) {
    if (multiplier == 0 && constant == 0) {
        return std::nullopt;
    }
    const uint64_t ms = uint64_t{multiplier} * count + constant;
    return TClock::now() + std::chrono::milliseconds(std::min<uint64_t>(ms, uint64_t{1} << 40));
}

bool TLinuxSerialDevice::WriteFile(const char* buffer, uint32_t count, uint32_t& immediate,
                                   TSerialTransfer& transfer) {
    const TDeadline deadline = TotalDeadline(Timeouts_.WriteTotalTimeoutMultiplier,
                                             Timeouts_.WriteTotalTimeoutConstant, count);
    const std::optional<uint32_t> written = WriteSome(buffer, count, deadline);
    if (!written) {
        return false;
    }
    immediate = Drain(*written, deadline);
    if (immediate > 0) {
        Watch_.OutputDrained();
    }
    static_cast<TLinuxTransfer&>(transfer).Complete(immediate);
    return true;
}

std::optional<uint32_t> TLinuxSerialDevice::WriteSome(const char* buffer, uint32_t count,
                                                      TDeadline deadline) {
    uint32_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(Fd_.Get(), buffer + done, count - done);
        if (n > 0) {
            done += static_cast<uint32_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n == 0 || errno != EAGAIN) {
            return std::nullopt;
        }
        const int ready = PollFor(Fd_.Get(), POLLOUT, RemainingMs(deadline));
        if (ready < 0) {
            return std::nullopt;
        }
        if (ready == 0) {
            break;
        }
    }
    return done;
}

// Waits, within the write timeout, until the bytes have left the output queue, so that a purge
// right after the write (as Close does) cannot lose them. A write that timed out is flushed so
// that nothing is left to block closing; its count is what really went out.
uint32_t TLinuxSerialDevice::Drain(uint32_t written, TDeadline deadline) {
    for (;;) {
        int queued = 0;
        if (::ioctl(Fd_.Get(), TIOCOUTQ, &queued) != 0 || queued <= 0) {
            return written;
        }
        const int left = RemainingMs(deadline);
        if (left == 0) {
            ::tcflush(Fd_.Get(), TCOFLUSH);
            return written - std::min<uint32_t>(written, static_cast<uint32_t>(queued));
        }
        // Sleep for as long as the queued characters take on the line, not in a spin.
        auto pause = std::chrono::microseconds(uint64_t{CharMicroseconds_} * queued + 500);
        if (left > 0) {
            pause = std::min<std::chrono::microseconds>(pause, std::chrono::milliseconds(left));
        }
        std::this_thread::sleep_for(pause);
    }
}

bool TLinuxSerialDevice::ReadFile(char* buffer, uint32_t count, uint32_t& immediate,
                                  TSerialTransfer& transfer) {
    const bool returnAtOnce = Timeouts_.ReadIntervalTimeout == TCommTimeouts::NoTimeout &&
                              Timeouts_.ReadTotalTimeoutMultiplier == 0 &&
                              Timeouts_.ReadTotalTimeoutConstant == 0;
    const std::optional<uint32_t> read =
        returnAtOnce ? ReadSome(buffer, count) : ReadUntil(buffer, count);
    if (!read) {
        return false;
    }
    immediate = *read;
    static_cast<TLinuxTransfer&>(transfer).Complete(*read);
    return true;
}

// What has already arrived, up to count. A read of 0 bytes means the other end hung up.
std::optional<uint32_t> TLinuxSerialDevice::ReadSome(char* buffer, uint32_t count) {
    uint32_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(Fd_.Get(), buffer + done, count - done);
        if (n > 0) {
            done += static_cast<uint32_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            break;
        } else {
            return std::nullopt;
        }
    }
    return done;
}

// The other read timeouts: a total limit, a limit between bytes, and the "return with the first
// bytes, or at the constant" setting (interval and multiplier both MAXDWORD).
std::optional<uint32_t> TLinuxSerialDevice::ReadUntil(char* buffer, uint32_t count) {
    const TCommTimeouts t = Timeouts_;
    const bool firstBytes = t.ReadIntervalTimeout == TCommTimeouts::NoTimeout &&
                            t.ReadTotalTimeoutMultiplier == TCommTimeouts::NoTimeout;
    const TDeadline deadline =
        firstBytes ? TotalDeadline(0, t.ReadTotalTimeoutConstant, 0)
                   : TotalDeadline(t.ReadTotalTimeoutMultiplier, t.ReadTotalTimeoutConstant, count);
    const bool interval = t.ReadIntervalTimeout != 0 && !firstBytes;
    uint32_t done = 0;
    for (;;) {
        const std::optional<uint32_t> more = ReadSome(buffer + done, count - done);
        if (!more) {
            return std::nullopt;
        }
        done += *more;
        if (done == count || (firstBytes && done > 0)) {
            return done;
        }
        int wait = RemainingMs(deadline);
        if (interval && done > 0) {
            const int gap = static_cast<int>(std::min<uint32_t>(t.ReadIntervalTimeout, 1u << 30));
            wait = wait < 0 ? gap : std::min(wait, gap);
        }
        if (wait == 0) {
            return done;
        }
        const int ready = PollFor(Fd_.Get(), POLLIN, wait);
        if (ready < 0) {
            return std::nullopt;
        }
        if (ready == 0) {
            return done;
        }
    }
}

bool TLinuxSerialDevice::ClearCommError(TCommStatus& status) {
    int input = 0;
    if (::ioctl(Fd_.Get(), FIONREAD, &input) != 0) {
        return false;
    }
    int output = 0;
    if (::ioctl(Fd_.Get(), TIOCOUTQ, &output) != 0) {
        output = 0;
    }
    status.InQueue = static_cast<uint32_t>(std::max(input, 0));
    status.OutQueue = static_cast<uint32_t>(std::max(output, 0));
    status.Errors = LineErrors();
    return true;
}

// The error counters' growth since the last call; a device without counters has no errors.
uint32_t TLinuxSerialDevice::LineErrors() {
    serial_icounter_struct counts{};
    if (::ioctl(Fd_.Get(), TIOCGICOUNT, &counts) != 0) {
        return 0;
    }
    std::lock_guard lock(CountersMutex_);
    uint32_t errors = 0;
    if (HaveCounters_) {
        errors |= counts.frame != Frame_ ? LineErrorFlag::Frame : 0;
        errors |= counts.parity != Parity_ ? LineErrorFlag::RxParity : 0;
        errors |= counts.overrun != Overrun_ ? LineErrorFlag::Overrun : 0;
        errors |= counts.brk != Break_ ? LineErrorFlag::Break : 0;
        errors |= counts.buf_overrun != BufferOverrun_ ? LineErrorFlag::RxOver : 0;
    }
    HaveCounters_ = true;
    Frame_ = counts.frame;
    Parity_ = counts.parity;
    Overrun_ = counts.overrun;
    Break_ = counts.brk;
    BufferOverrun_ = counts.buf_overrun;
    return errors;
}

bool TLinuxSerialDevice::GetCommModemStatus(uint32_t& status) {
    int lines = 0;
    if (::ioctl(Fd_.Get(), TIOCMGET, &lines) != 0) {
        if (!NoSuchLines(errno)) {
            return false;
        }
        lines = 0;
    }
    status = ((lines & TIOCM_CTS) ? SerialCode::ModemCtsOn : 0) |
             ((lines & TIOCM_DSR) ? SerialCode::ModemDsrOn : 0) |
             ((lines & TIOCM_RNG) ? SerialCode::ModemRingOn : 0) |
             ((lines & TIOCM_CAR) ? SerialCode::ModemRlsdOn : 0);
    return true;
}

bool TLinuxSerialDevice::SetCommMask(uint32_t mask) {
    Mask_.store(mask);
    return true;
}

TLineWait TLinuxSerialDevice::WaitLineEvents(TStopSignal& stop, uint32_t& mask) {
    return Watch_.Wait(static_cast<TLinuxStopSignal&>(stop).Fd(), Mask_.load(), mask);
}
