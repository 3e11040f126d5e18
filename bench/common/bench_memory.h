#pragma once
// A process's memory as the system reports it, in bytes.

#include <windows.h>

#include <cstddef>

namespace qm::bench {

struct MemoryUse {
    std::size_t workingSet = 0;
    std::size_t peakWorkingSet = 0;
    std::size_t privateBytes = 0;
};

// Nothing (all zero) when the system does not say.
MemoryUse ProcessMemory(HANDLE process);

constexpr double kMiB = 1024.0 * 1024.0;

} // namespace qm::bench
