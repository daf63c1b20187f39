#pragma once

#include <unistd.h>

#include <utility>

// Owns one POSIX file descriptor and closes it.
class TUniqueFd {
  public:
    TUniqueFd() = default;
    explicit TUniqueFd(int fd) : Fd_(fd) {}
    ~TUniqueFd() { Reset(); }
    TUniqueFd(TUniqueFd&& other) noexcept : Fd_(other.Release()) {}
    TUniqueFd& operator=(TUniqueFd&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    int Get() const { return Fd_; }
    bool Valid() const { return Fd_ >= 0; }
    int Release() { return std::exchange(Fd_, -1); }
    void Reset(int fd = -1) {
        if (Fd_ >= 0) {
            ::close(Fd_);
        }
        Fd_ = fd;
    }

  private:
    int Fd_ = -1;
};
