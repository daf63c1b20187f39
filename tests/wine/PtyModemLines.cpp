// Loaded with LD_PRELOAD into Wine for the tests: a pseudo-terminal has no modem lines, so Wine's
// EscapeCommFunction and GetCommModemStatus fail on a COM port mapped onto one. This answers the
// modem-line requests on pseudo-terminals from a remembered line state, as a null-modem cable
// that loops nothing back would, and passes every other request on.
#include <dlfcn.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <cstdarg>
#include <map>
#include <mutex>

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

class TLineStates {
  public:
    static TLineStates& Instance() {
        static TLineStates states;
        return states;
    }

    int Apply(dev_t device, unsigned long request, int* bits) {
        std::lock_guard lock(Mutex_);
        int& lines = Lines_[device];
        switch (request) {
            case TIOCMGET:
                *bits = lines;
                return 0;
            case TIOCMSET:
                lines = *bits;
                return 0;
            case TIOCMBIS:
                lines |= *bits;
                return 0;
            case TIOCMBIC:
                lines &= ~*bits;
                return 0;
        }
        errno = EINVAL;
        return -1;
    }

  private:
    std::mutex Mutex_;
    std::map<dev_t, int> Lines_;
};

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
