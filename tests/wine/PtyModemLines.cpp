// Loaded with LD_PRELOAD into Wine for the tests: a pseudo-terminal has no modem lines, so Wine's
// EscapeCommFunction and GetCommModemStatus fail on a COM port mapped onto one. This answers the
// modem-line requests on pseudo-terminals from a remembered line state, as a null-modem cable
// that loops nothing back would, and passes every other request on.
#include <dlfcn.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <array>
#include <cerrno>
#include <cstdarg>
#include <mutex>
#include <type_traits>

namespace {

// Unix 98 pseudo-terminal slaves.
constexpr unsigned kFirstPtyMajor = 136;
constexpr unsigned kLastPtyMajor = 143;

using TIoctl = int (*)(int, unsigned long, void*);

bool IsPseudoTerminal(int fd, dev_t& device) {
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISCHR(status.st_mode)) {
        return false;
    }
    const unsigned kind = major(status.st_rdev);
    device = status.st_rdev;
    return kind >= kFirstPtyMajor && kind <= kLastPtyMajor;
}

// Wine's threads poll the lines until the process is gone, also while exit runs the destructors
// of static objects; so the state has none and outlives them.
class TLineStates {
  public:
    static TLineStates& Instance() {
        static TLineStates states;
        return states;
    }

    int Apply(dev_t device, unsigned long request, int* bits) {
        std::lock_guard lock(Mutex_);
        int* lines = Find(device);
        if (lines == nullptr) {
            errno = ENOMEM;
            return -1;
        }
        switch (request) {
            case TIOCMGET:
                *bits = *lines;
                return 0;
            case TIOCMSET:
                *lines = *bits;
                return 0;
            case TIOCMBIS:
                *lines |= *bits;
                return 0;
            case TIOCMBIC:
                *lines &= ~*bits;
                return 0;
        }
        errno = EINVAL;
        return -1;
    }

  private:
    struct TLine {
        dev_t Device = 0;
        int Bits = 0;
        bool Used = false;
    };

    int* Find(dev_t device) {
        for (TLine& line : Lines_) {
            if (!line.Used) {
                line = {device, 0, true};
            }
            if (line.Device == device) {
                return &line.Bits;
            }
        }
        return nullptr;
    }

    std::mutex Mutex_;
    std::array<TLine, 64> Lines_{};
};
static_assert(std::is_trivially_destructible_v<TLineStates>);

bool IsModemLineRequest(unsigned long request) {
    return request == TIOCMGET || request == TIOCMSET || request == TIOCMBIS || request == TIOCMBIC;
}

}  // namespace

extern "C" int ioctl(int fd, unsigned long request, ...) {
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    dev_t device = 0;
    if (IsModemLineRequest(request) && argument != nullptr && IsPseudoTerminal(fd, device)) {
        return TLineStates::Instance().Apply(device, request, static_cast<int*>(argument));
    }
    static const auto next = reinterpret_cast<TIoctl>(dlsym(RTLD_NEXT, "ioctl"));
    return next(fd, request, argument);
}
