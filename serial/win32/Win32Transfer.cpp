#include "serial/win32/Win32Transfer.h"

TWin32Transfer::TWin32Transfer() {
    Overlapped_.hEvent = ::CreateEventA(nullptr, TRUE, TRUE, nullptr);
}

TWin32Transfer::~TWin32Transfer() {
    if (Pending_) {
        DWORD count = 0;
        ::CancelIoEx(Device_, &Overlapped_);
        ::GetOverlappedResult(Device_, &Overlapped_, &count, TRUE);
    }
    if (Overlapped_.hEvent != nullptr) {
        ::CloseHandle(Overlapped_.hEvent);
    }
}

bool TWin32Transfer::Wait() {
    if (Overlapped_.hEvent == nullptr ||
        ::WaitForSingleObject(Overlapped_.hEvent, INFINITE) != WAIT_OBJECT_0) {
        return false;
    }
    Pending_ = false;
    return true;
}

bool TWin32Transfer::Result(uint32_t& count) {
    if (!Started_) {
        count = 0;
        return true;
    }
    DWORD transferred = 0;
    if (!::GetOverlappedResult(Device_, &Overlapped_, &transferred, FALSE)) {
        return false;
    }
    count = transferred;
    return true;
}

OVERLAPPED* TWin32Transfer::Begin(HANDLE device) {
    Device_ = device;
    Started_ = true;
    return &Overlapped_;
}
