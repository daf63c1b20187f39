#include "serial/linux/LinuxLineSettings.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <algorithm>

namespace {

uint32_t DataBits(uint8_t byteSize) {
    switch (byteSize) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        default:
            return CS8;
    }
}

void MakeRaw(TTerminalSettings& settings) {
    settings.InputFlags &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                             IXOFF | IXANY | INPCK | IUCLC | IMAXBEL);
    settings.OutputFlags &= ~OPOST;
    settings.LocalFlags &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
}

}  // namespace

TTerminalSettings MakeLineSettings(const TSerialDcb& dcb, TTerminalSettings settings) {
    MakeRaw(settings);
    settings.ControlFlags &=
        ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CBAUD | (CBAUD << IBSHIFT));
    settings.ControlFlags |= CLOCAL | CREAD | BOTHER | (BOTHER << IBSHIFT) | DataBits(dcb.ByteSize);
    static constexpr uint32_t kParity[] = {0, PARENB | PARODD, PARENB, PARENB | PARODD | CMSPAR,
                                           PARENB | CMSPAR};
    settings.ControlFlags |= kParity[std::min<uint8_t>(dcb.Parity, 4)];
    if (dcb.StopBits != 0) {
        settings.ControlFlags |= CSTOPB;
    }
    if ((dcb.Flags & TSerialDcb::OutxCtsFlow) || dcb.RtsControl() == TSerialDcb::ControlHandshake) {
        settings.ControlFlags |= CRTSCTS;
    }
    settings.InputFlags |= (dcb.Flags & TSerialDcb::ParityCheck) ? INPCK : 0;
    settings.InputFlags |= (dcb.Flags & TSerialDcb::OutX) ? IXON : 0;
    settings.InputFlags |= (dcb.Flags & TSerialDcb::InX) ? IXOFF : 0;
    settings.StartChar = dcb.XonChar;
    settings.StopChar = dcb.XoffChar;
    settings.MinimumBytes = 1;
    settings.ReadTime = 0;
    settings.InputSpeed = dcb.BaudRate;
    settings.OutputSpeed = dcb.BaudRate;
    return settings;
}

bool ReadLineSettings(int fd, TTerminalSettings& settings) {
    struct termios2 kernel {};
    if (::ioctl(fd, TCGETS2, &kernel) != 0) {
        return false;
    }
    settings.InputFlags = kernel.c_iflag;
    settings.OutputFlags = kernel.c_oflag;
    settings.ControlFlags = kernel.c_cflag;
    settings.LocalFlags = kernel.c_lflag;
    settings.MinimumBytes = kernel.c_cc[VMIN];
    settings.ReadTime = kernel.c_cc[VTIME];
    settings.StartChar = kernel.c_cc[VSTART];
    settings.StopChar = kernel.c_cc[VSTOP];
    settings.InputSpeed = kernel.c_ispeed;
    settings.OutputSpeed = kernel.c_ospeed;
    return true;
}

bool ApplyLineSettings(int fd, const TSerialDcb& dcb) {
    struct termios2 kernel {};
    if (::ioctl(fd, TCGETS2, &kernel) != 0) {
        return false;
    }
    TTerminalSettings current;
    if (!ReadLineSettings(fd, current)) {
        return false;
    }
    const TTerminalSettings wanted = MakeLineSettings(dcb, current);
    kernel.c_iflag = wanted.InputFlags;
    kernel.c_oflag = wanted.OutputFlags;
    kernel.c_cflag = wanted.ControlFlags;
    kernel.c_lflag = wanted.LocalFlags;
    kernel.c_cc[VMIN] = wanted.MinimumBytes;
    kernel.c_cc[VTIME] = wanted.ReadTime;
    kernel.c_cc[VSTART] = wanted.StartChar;
    kernel.c_cc[VSTOP] = wanted.StopChar;
    kernel.c_ispeed = wanted.InputSpeed;
    kernel.c_ospeed = wanted.OutputSpeed;
    return ::ioctl(fd, TCSETS2, &kernel) == 0;
}
