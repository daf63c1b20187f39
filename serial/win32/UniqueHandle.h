#pragma once

#include <windows.h>

#include <utility>

// Owns one kernel handle and closes it. Both null and INVALID_HANDLE_VALUE mean none, as the
// creating calls report failure with one or the other.
class TUniqueHandle {
  public:
    TUniqueHandle() = default;
    explicit TUniqueHandle(HANDLE handle) : Handle_(handle) {}
    ~TUniqueHandle() { Reset(); }
    TUniqueHandle(TUniqueHandle&& other) noexcept : Handle_(other.Release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    HANDLE Get() const { return Handle_; }
    bool Valid() const { return Handle_ != nullptr && Handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Release() { return std::exchange(Handle_, nullptr); }
    void Reset(HANDLE handle = nullptr) {
        if (Valid()) {
            ::CloseHandle(Handle_);
        }
        Handle_ = handle;
    }

  private:
    HANDLE Handle_ = nullptr;
};

// An unnamed event without security attributes; null when it cannot be created.
inline TUniqueHandle NewEvent(bool manualReset, bool signalled) {
    return TUniqueHandle(::CreateEventA(nullptr, manualReset, signalled, nullptr));
}
