#include <condition_variable>
#include <mutex>
#include <thread>

#include "serial/monitor/ThreadSupport.h"

struct TLock::TImpl {
    std::mutex Mutex;
};

TLock::TLock() : Impl_(std::make_unique<TImpl>()) {}
TLock::~TLock() = default;

void TLock::Acquire() {
    Impl_->Mutex.lock();
}

void TLock::Release() {
    Impl_->Mutex.unlock();
}

struct TWakeEvent::TImpl {
    std::mutex Mutex;
    std::condition_variable Changed;
    bool Signalled = false;
};

TWakeEvent::TWakeEvent() : Impl_(std::make_unique<TImpl>()) {}
TWakeEvent::~TWakeEvent() = default;

void TWakeEvent::Set() {
    std::lock_guard lock(Impl_->Mutex);
    Impl_->Signalled = true;
    Impl_->Changed.notify_one();
}

void TWakeEvent::Wait() {
    std::unique_lock lock(Impl_->Mutex);
    Impl_->Changed.wait(lock, [this] { return Impl_->Signalled; });
    Impl_->Signalled = false;
}

// Here sent window messages travel through the component's own queue, which the caller services.
void TWakeEvent::WaitServicingMessages() {
    Wait();
}

struct TMonitorThread::TImpl {
    std::thread Thread;
};

TMonitorThread::TMonitorThread(std::function<void()> body) : Impl_(std::make_unique<TImpl>()) {
    Impl_->Thread = std::thread(std::move(body));
}

TMonitorThread::~TMonitorThread() {
    Join();
}

void TMonitorThread::Join() {
    if (Impl_->Thread.joinable()) {
        Impl_->Thread.join();
    }
}

bool TMonitorThread::IsCurrent() const {
    return Impl_->Thread.get_id() == std::this_thread::get_id();
}
