#include "serial/win32/Win32Transfer.h"

TWin32Transfer::TWin32Transfer() : Event_(NewEvent(true, true)) {
    Overlapped_.hEvent = Event_.Get();
}

TWin32Transfer::~TWin32Transfer() {
    if (Pending_) {
        CancelAndWait(Device_, Overlapped_);
    }
}

bool TWin32Transfer::Wait() {
    if (!Event_.Valid() || ::WaitForSingleObject(Event_.Get(), INFINITE) != WAIT_OBJECT_0) {
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

void CancelAndWait(HANDLE device, OVERLAPPED& block) {
    DWORD count = 0;
    ::CancelIoEx(device, &block);
    ::GetOverlappedResult(device, &block, &count, TRUE);
}
