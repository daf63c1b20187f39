#pragma once

#include <string>
#include <system_error>
#include <utility>

namespace irven::sim {

// Owns one POSIX descriptor and closes it.
class TFileDescriptor {
  public:
    TFileDescriptor() = default;
    explicit TFileDescriptor(int fd) : fd_(fd) {}
    TFileDescriptor(TFileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    TFileDescriptor& operator=(TFileDescriptor&& other) noexcept {
        if (this != &other) {
            Reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    ~TFileDescriptor() { Reset(); }

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    void Reset();

  private:
    int fd_ = -1;
};

// std::system_error for the current errno, naming what failed.
[[noreturn]] void ThrowErrno(const std::string& what);

}  // namespace irven::sim
