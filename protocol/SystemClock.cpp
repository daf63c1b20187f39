#include "protocol/Clock.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <chrono>
#include <thread>
#endif

void TSystemClock::Sleep(uint32_t milliseconds) {
#ifdef _WIN32
    ::Sleep(milliseconds);
#else
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
#endif
}
