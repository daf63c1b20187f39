#include "serial/linux/LinuxSerialDriver.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>

#include <cerrno>
#include <vector>

#include "serial/PlatformSerialDriver.h"
#include "serial/linux/LinuxSerialDevice.h"
#include "serial/linux/LinuxStopSignal.h"
#include "serial/linux/LinuxTransfer.h"
#include "serial/linux/UniqueFd.h"

namespace {

std::string OwningGroup(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return {};
    }
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    if (::getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr) {
        return {};
    }
    return found->gr_name;
}

}  // namespace

TOpenResult TLinuxSerialDriver::Refusal(int error, const std::string& path) {
    TOpenResult result;
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            result.Outcome = TOpenOutcome::ooNotFound;
            break;
        case EBUSY:
        case EWOULDBLOCK:
            result.Outcome = TOpenOutcome::ooBusy;
            break;
        case EACCES:
        case EPERM:
            result.Outcome = TOpenOutcome::ooNoPermission;
            result.Group = OwningGroup(path);
            break;
        default:
            result.Outcome = TOpenOutcome::ooOther;
            break;
    }
    return result;
}

std::string TLinuxSerialDriver::DevicePath(const std::string& port) {
    return !port.empty() && port.front() == '/' ? port : "/dev/" + port;
}

TOpenResult TLinuxSerialDriver::Open(const std::string& port) {
    const std::string path = DevicePath(port);
    TUniqueFd fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.Valid()) {
        return Refusal(errno, path);
    }
    // TIOCEXCL alone does not keep out root, so the lock is what refuses a second opener.
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
        return Refusal(errno, path);
    }
    ::ioctl(fd.Get(), TIOCEXCL);
    TOpenResult result;
    result.Outcome = TOpenOutcome::ooOpened;
    result.Device = std::make_shared<TLinuxSerialDevice>(std::move(fd));
    return result;
}

std::unique_ptr<TSerialTransfer> TLinuxSerialDriver::NewTransfer() {
    return std::make_unique<TLinuxTransfer>();
}

std::unique_ptr<TStopSignal> TLinuxSerialDriver::NewStopSignal() {
    return std::make_unique<TLinuxStopSignal>();
}

std::shared_ptr<TSerialDriver> PlatformSerialDriver() {
    return std::make_shared<TLinuxSerialDriver>();
}
