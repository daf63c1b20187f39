#pragma once

#include <cstdint>
#include <functional>

// How long a save waits for a file that another program holds for a moment (an antivirus scan,
// the search indexer, Explorer's preview, a second saver of the same file) before it gives up,
// and how it waits: the program sleeps, tests pass a sleeper that only counts. Windows refuses to
// replace a file held so; on Linux nothing holds a save up but the lock between two savers.
class TSaveRetry {
  public:
    enum class TOutcome { Done, Held, Failed };
    using TSleeper = std::function<void(uint32_t milliseconds)>;

    // Two seconds in steps of 50 ms, sleeping the calling thread.
    TSaveRetry();
    TSaveRetry(TSleeper sleeper, uint32_t totalMilliseconds, uint32_t stepMilliseconds);

    // Runs the attempt until it is Done or Failed, or until Held attempts have waited the whole
    // time; true when Done.
    bool Run(const std::function<TOutcome()>& attempt) const;

  private:
    TSleeper sleep_;
    uint32_t total_;
    uint32_t step_;
};
