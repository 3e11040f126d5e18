#include "bench_memory.h"

#include <psapi.h>

namespace qm::bench {

MemoryUse ProcessMemory(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) {
        return {};
    }
    return {counters.WorkingSetSize, counters.PeakWorkingSetSize, counters.PagefileUsage};
}

} // namespace qm::bench
