#pragma once

#include <linux/serial.h>

#include <cstdint>

#include "serial/SerialDriver.h"
#include "serial/linux/UniqueFd.h"

// Waits for the line events of one terminal device without spinning. Received data comes through
// edge-triggered epoll: one report when data arrives, none while unread data merely waits. The
// output queue counts as emptied when a write has drained it. Where the device keeps interrupt
// counters (TIOCGICOUNT; pseudo-terminals do not), line errors and modem-line changes are their
// growth, sampled when the device wakes the wait and a few times a second. A hang-up ends the wait
// for good.
class TLinuxLineWatch {
  public:
    explicit TLinuxLineWatch(int deviceFd);
    TLinuxLineWatch(const TLinuxLineWatch&) = delete;
    TLinuxLineWatch& operator=(const TLinuxLineWatch&) = delete;

    // Monitor thread: blocks until an event of the watched mask occurs or stopFd is readable.
    TLineWait Wait(int stopFd, uint32_t watched, uint32_t& mask);
    // Any thread: a write has just drained the output queue.
    void OutputDrained();

  private:
    bool Prepare(int stopFd);
    bool Add(int fd, uint32_t events);
    uint32_t ArrivalEvents();
    uint32_t CounterEvents();
    int SampleTimeout(uint32_t watched) const;

    int DeviceFd_;
    TUniqueFd Epoll_;
    TUniqueFd Drained_;
    bool DeviceAdded_ = false;
    int StopFd_ = -1;
    bool HaveCounters_ = false;
    serial_icounter_struct Counters_{};
};
