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
    if (!Started_ || Finished_) {
        count = Finished_ ? FinishedCount_ : 0;
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
    Finished_ = false;
    return &Overlapped_;
}

void CancelAndWait(HANDLE device, OVERLAPPED& block) {
    DWORD count = 0;
    ::CancelIoEx(device, &block);
    ::GetOverlappedResult(device, &block, &count, TRUE);
}

void TWin32Transfer::FinishNow() {
    if (!Pending_) {
        return;
    }
    ::CancelIoEx(Device_, &Overlapped_);
    DWORD count = 0;
    if (::GetOverlappedResult(Device_, &Overlapped_, &count, TRUE) ||
        ::GetLastError() == ERROR_OPERATION_ABORTED) {
        Finished_ = true;
        FinishedCount_ = count;
    }
    Pending_ = false;
}
