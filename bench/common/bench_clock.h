#pragma once
// Wall-clock time from the performance counter, in milliseconds.

namespace qm::bench {

class Stopwatch {
public:
    Stopwatch();
    // Milliseconds since construction or the last Restart.
    double ElapsedMs() const;
    void Restart();

private:
    long long start_;
};

} // namespace qm::bench
