#include "settings/SaveRetry.h"

#include <chrono>
#include <thread>
#include <utility>

TSaveRetry::TSaveRetry()
    : TSaveRetry([](uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); },
                 2000, 50) {}

TSaveRetry::TSaveRetry(TSleeper sleeper, uint32_t totalMilliseconds, uint32_t stepMilliseconds)
    : sleep_(std::move(sleeper)), total_(totalMilliseconds), step_(stepMilliseconds) {}

bool TSaveRetry::Run(const std::function<TOutcome()>& attempt) const {
    for (uint32_t waited = 0;; waited += step_) {
        const TOutcome outcome = attempt();
        if (outcome != TOutcome::Held || waited >= total_) {
            return outcome == TOutcome::Done;
        }
        sleep_(step_);
    }
}
