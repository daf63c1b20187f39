#include <windows.h>
// psapi.h needs the types of windows.h first.
#include <psapi.h>

#include "bench/startup/PeakMemory.h"

long OwnPeakKilobytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        return 0;
    }
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}
