#pragma once

#include <functional>
#include <memory>

// The few thread primitives the line-event monitor needs, one implementation per platform: on
// Windows the GUI thread's wait must also take the messages sent to its windows.

class TLock {
  public:
    TLock();
    ~TLock();
    TLock(const TLock&) = delete;
    TLock& operator=(const TLock&) = delete;

    void Acquire();
    void Release();

  private:
    struct TImpl;
    std::unique_ptr<TImpl> Impl_;
};

class TLockGuard {
  public:
    explicit TLockGuard(TLock& lock) : Lock_(lock) { Lock_.Acquire(); }
    ~TLockGuard() { Lock_.Release(); }
    TLockGuard(const TLockGuard&) = delete;
    TLockGuard& operator=(const TLockGuard&) = delete;

  private:
    TLock& Lock_;
};

// An auto-reset event for one waiting thread: Set before Wait makes the Wait return at once.
// Waiters re-check their condition after every return.
class TWakeEvent {
  public:
    TWakeEvent();
    ~TWakeEvent();
    TWakeEvent(const TWakeEvent&) = delete;
    TWakeEvent& operator=(const TWakeEvent&) = delete;

    void Set();
    void Wait();
    // The same wait on the GUI thread: on Windows it also takes the messages other threads send
    // to this thread's windows, so a sender blocked on them is released.
    void WaitServicingMessages();

  private:
    struct TImpl;
    std::unique_ptr<TImpl> Impl_;
};

// A thread at normal priority that runs the body once; destroying it waits for the body to end.
// The body must not let an exception escape.
class TMonitorThread {
  public:
    explicit TMonitorThread(std::function<void()> body);
    ~TMonitorThread();
    TMonitorThread(const TMonitorThread&) = delete;
    TMonitorThread& operator=(const TMonitorThread&) = delete;

    void Join();
    bool IsCurrent() const;

  private:
    struct TImpl;
    std::unique_ptr<TImpl> Impl_;
};
