#include "protocol/Clock.h"

#include <chrono>
#include <thread>

void TSystemClock::Sleep(uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
