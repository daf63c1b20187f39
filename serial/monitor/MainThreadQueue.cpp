#include "serial/monitor/MainThreadQueue.h"

#include <utility>

void TMainThreadQueue::SetWakeup(std::function<void()> wake) {
    TLockGuard guard(Lock_);
    Wake_ = std::move(wake);
}

void TMainThreadQueue::Call(std::function<void()> call) {
    auto entry = std::make_shared<TEntry>();
    entry->Run = std::move(call);
    Enqueue(entry);
    WaitReleased(entry);
    if (entry->Failure) {
        std::rethrow_exception(entry->Failure);
    }
}

void TMainThreadQueue::Send(std::function<void()> procedure) {
    auto entry = std::make_shared<TEntry>();
    entry->Run = std::move(procedure);
    entry->Sent = true;
    Enqueue(entry);
    WaitReleased(entry);
}

void TMainThreadQueue::Post(std::function<void()> call) {
    auto entry = std::make_shared<TEntry>();
    entry->Run = std::move(call);
    entry->Posted = true;
    Enqueue(entry);
}

void TMainThreadQueue::Wake() {
    std::function<void()> wake;
    {
        TLockGuard guard(Lock_);
        wake = Wake_;
    }
    if (wake) {
        wake();
    }
}

void TMainThreadQueue::Enqueue(const std::shared_ptr<TEntry>& entry) {
    {
        TLockGuard guard(Lock_);
        Pending_.push_back(entry);
    }
    WorkPosted_.Set();
    Wake();
}

void TMainThreadQueue::WaitReleased(const std::shared_ptr<TEntry>& entry) {
    for (;;) {
        {
            TLockGuard guard(Lock_);
            if (entry->Released) {
                return;
            }
        }
        EntryReleased_.Wait();
    }
}

void TMainThreadQueue::ServicePending() {
    while (std::shared_ptr<TEntry> entry = TakeNext()) {
        if (std::exception_ptr failure = RunEntry(entry)) {
            std::rethrow_exception(failure);
        }
    }
}

std::shared_ptr<TMainThreadQueue::TEntry> TMainThreadQueue::TakeNext() {
    TLockGuard guard(Lock_);
    if (Pending_.empty()) {
        return nullptr;
    }
    std::shared_ptr<TEntry> entry = std::move(Pending_.front());
    Pending_.erase(Pending_.begin());
    return entry;
}

std::exception_ptr TMainThreadQueue::RunEntry(const std::shared_ptr<TEntry>& entry) {
    Running_.push_back(entry);
    std::exception_ptr failure;
    try {
        entry->Run();
    } catch (...) {
        failure = std::current_exception();
    }
    Running_.pop_back();
    TLockGuard guard(Lock_);
    if (!entry->Released && !entry->Sent) {
        entry->Failure = failure;
    }
    ReleaseEntry(*entry);
    return entry->Posted ? failure : nullptr;
}

void TMainThreadQueue::ReleaseEntry(TEntry& entry) {
    entry.Released = true;
    EntryReleased_.Set();
}

bool TMainThreadQueue::InSend() const {
    return !Running_.empty() && Running_.back()->Sent;
}

void TMainThreadQueue::Reply() {
    if (InSend()) {
        TLockGuard guard(Lock_);
        ReleaseEntry(*Running_.back());
    }
}

void TMainThreadQueue::SenderStarted() {
    TLockGuard guard(Lock_);
    SenderRunning_ = true;
}

void TMainThreadQueue::SenderFinished() {
    {
        TLockGuard guard(Lock_);
        SenderRunning_ = false;
    }
    WorkPosted_.Set();
}

void TMainThreadQueue::ServiceUntilSenderFinished() {
    // Closing from inside a delivery: the monitor waits for the very call that closes, so let it
    // go first. The call itself goes on with the port closed.
    {
        TLockGuard guard(Lock_);
        for (const std::shared_ptr<TEntry>& entry : Running_) {
            ReleaseEntry(*entry);
        }
    }
    for (;;) {
        while (std::shared_ptr<TEntry> entry = TakeNext()) {
            RunEntry(entry);
        }
        {
            TLockGuard guard(Lock_);
            if (!SenderRunning_ && Pending_.empty()) {
                return;
            }
        }
        WorkPosted_.WaitServicingMessages();
    }
}
