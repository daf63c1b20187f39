#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "serial/SerialPort.h"

#ifdef _WIN32
#include <windows.h>
#endif

// Plays the GUI thread for the monitor tests: hears the monitor's wake-ups (and whatever else is
// wired to Waker), records what the handlers saw, and runs the port's waiting deliveries until a
// condition holds. Waits are bounded, so a broken monitor fails a test instead of hanging it.
class TMonitorProbe {
  public:
    std::function<void()> Waker() {
        return [this] { Notify(); };
    }

    void Notify() {
        {
            std::lock_guard lock(Mutex_);
            ++Generation_;
            Changed_.notify_all();
        }
#ifdef _WIN32
        SetEvent(Notified_);
#endif
    }

#ifdef _WIN32
    TMonitorProbe() : Notified_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
    ~TMonitorProbe() {
        CloseHandle(Notified_);
    }
    TMonitorProbe(const TMonitorProbe&) = delete;
    TMonitorProbe& operator=(const TMonitorProbe&) = delete;
#endif

    // Safe from any thread.
    void Record(std::string entry) {
        {
            std::lock_guard lock(Mutex_);
            Log_.push_back(std::move(entry));
        }
        Notify();
    }

    std::vector<std::string> Log() const {
        std::lock_guard lock(Mutex_);
        return Log_;
    }

    size_t Count() const {
        return Log().size();
    }

    // Runs the port's waiting deliveries until done() holds; false when it has not within 10 s.
    bool ServiceUntil(TSerialPort& port, const std::function<bool()>& done) {
        return Await(
            done, [&] { port.ServiceSyncCalls(); }, true);
    }

    // Waits until done() holds without servicing anything.
    bool Await(const std::function<bool()>& done) {
        return Await(
            done, [] {}, false);
    }

  private:
    uint64_t Generation() const {
        std::lock_guard lock(Mutex_);
        return Generation_;
    }

#ifdef _WIN32
    // While it services, it takes the messages other threads send to its windows, as an idle
    // Windows GUI thread does: that is how the hidden window's deliveries arrive.
    bool Await(const std::function<bool()>& done, const std::function<void()>& service,
               bool takeMessages) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (;;) {
            if (takeMessages) {
                MSG message;
                PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            }
            service();
            if (done()) {
                return true;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 ||
                MsgWaitForMultipleObjects(1, &Notified_, FALSE, static_cast<DWORD>(left.count()),
                                          takeMessages ? QS_SENDMESSAGE : 0) == WAIT_TIMEOUT) {
                return done();
            }
        }
    }
#else
    bool Await(const std::function<bool()>& done, const std::function<void()>& service, bool) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (;;) {
            const uint64_t seen = Generation();
            service();
            if (done()) {
                return true;
            }
            std::unique_lock lock(Mutex_);
            if (!Changed_.wait_until(lock, deadline, [&] { return Generation_ != seen; })) {
                lock.unlock();
                return done();
            }
        }
    }
#endif

    mutable std::mutex Mutex_;
    std::condition_variable Changed_;
    uint64_t Generation_ = 0;
    std::vector<std::string> Log_;
#ifdef _WIN32
    HANDLE Notified_;
#endif
};
