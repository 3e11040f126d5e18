#include "bench_clock.h"

#include <windows.h>

namespace qm::bench {
namespace {

long long Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double TicksPerMs() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
}

} // namespace

Stopwatch::Stopwatch() : start_(Now()) {}

double Stopwatch::ElapsedMs() const {
    static const double ticksPerMs = TicksPerMs();
    return static_cast<double>(Now() - start_) / ticksPerMs;
}

void Stopwatch::Restart() {
    start_ = Now();
}

} // namespace qm::bench
