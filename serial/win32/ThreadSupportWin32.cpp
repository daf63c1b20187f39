#include <windows.h>

#include <stdexcept>

#include "serial/monitor/ThreadSupport.h"
#include "serial/win32/UniqueHandle.h"

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
    TUniqueHandle Event = NewEvent(false, false);
};

TWakeEvent::TWakeEvent() : Impl_(std::make_unique<TImpl>()) {}
TWakeEvent::~TWakeEvent() = default;

void TWakeEvent::Set() {
    SetEvent(Impl_->Event.Get());
}

void TWakeEvent::Wait() {
    WaitForSingleObject(Impl_->Event.Get(), INFINITE);
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
    const HANDLE event = Impl_->Event.Get();
    const DWORD woken = MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_SENDMESSAGE);
    if (woken == WAIT_OBJECT_0 + 1) {
        TakeSentMessages();
    }
}

struct TMonitorThread::TImpl {
    std::function<void()> Body;
    TUniqueHandle Thread;
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
    Impl_->Thread.Reset(
        CreateThread(nullptr, 0, RunBody, &Impl_->Body, CREATE_SUSPENDED, &Impl_->Id));
    if (!Impl_->Thread.Valid()) {
        throw std::runtime_error("CreateThread failed");
    }
    SetThreadPriority(Impl_->Thread.Get(), THREAD_PRIORITY_NORMAL);
    ResumeThread(Impl_->Thread.Get());
}

TMonitorThread::~TMonitorThread() {
    Join();
}

void TMonitorThread::Join() {
    if (Impl_->Thread.Valid()) {
        WaitForSingleObject(Impl_->Thread.Get(), INFINITE);
        Impl_->Thread.Reset();
    }
}

bool TMonitorThread::IsCurrent() const {
    return Impl_->Thread.Valid() && GetCurrentThreadId() == Impl_->Id;
}
