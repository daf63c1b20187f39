#include <windows.h>

#include <stdexcept>

#include "serial/monitor/ThreadSupport.h"

struct TLock::TImpl {
    CRITICAL_SECTION Section;
};

TLock::TLock() : Impl_(std::make_unique<TImpl>()) {
    InitializeCriticalSection(&Impl_->Section);
}

TLock::~TLock() {
    DeleteCriticalSection(&Impl_->Section);
}

void TLock::Acquire() {
    EnterCriticalSection(&Impl_->Section);
}

void TLock::Release() {
    LeaveCriticalSection(&Impl_->Section);
}

struct TWakeEvent::TImpl {
    HANDLE Event = nullptr;
};

TWakeEvent::TWakeEvent() : Impl_(std::make_unique<TImpl>()) {
    Impl_->Event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

TWakeEvent::~TWakeEvent() {
    if (Impl_->Event) {
        CloseHandle(Impl_->Event);
    }
}

void TWakeEvent::Set() {
    SetEvent(Impl_->Event);
}

void TWakeEvent::Wait() {
    WaitForSingleObject(Impl_->Event, INFINITE);
}

namespace {

// Peeking dispatches the messages other threads have sent to this thread's windows; nothing is
// removed from the queue.
void TakeSentMessages() {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

}  // namespace

// A message sent before the wait began would not wake it, so those are taken first.
void TWakeEvent::WaitServicingMessages() {
    TakeSentMessages();
    const DWORD woken =
        MsgWaitForMultipleObjects(1, &Impl_->Event, FALSE, INFINITE, QS_SENDMESSAGE);
    if (woken == WAIT_OBJECT_0 + 1) {
        TakeSentMessages();
    }
}

struct TMonitorThread::TImpl {
    std::function<void()> Body;
    HANDLE Thread = nullptr;
    DWORD Id = 0;
};

namespace {

DWORD WINAPI RunBody(LPVOID parameter) {
    (*static_cast<std::function<void()>*>(parameter))();
    return 0;
}

}  // namespace

TMonitorThread::TMonitorThread(std::function<void()> body) : Impl_(std::make_unique<TImpl>()) {
    Impl_->Body = std::move(body);
    Impl_->Thread = CreateThread(nullptr, 0, RunBody, &Impl_->Body, CREATE_SUSPENDED, &Impl_->Id);
    if (!Impl_->Thread) {
        throw std::runtime_error("CreateThread failed");
    }
    SetThreadPriority(Impl_->Thread, THREAD_PRIORITY_NORMAL);
    ResumeThread(Impl_->Thread);
}

TMonitorThread::~TMonitorThread() {
    Join();
}

void TMonitorThread::Join() {
    if (Impl_->Thread) {
        WaitForSingleObject(Impl_->Thread, INFINITE);
        CloseHandle(Impl_->Thread);
        Impl_->Thread = nullptr;
    }
}

bool TMonitorThread::IsCurrent() const {
    return Impl_->Thread && GetCurrentThreadId() == Impl_->Id;
}
