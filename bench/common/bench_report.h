#pragma once
// What every benchmark prints: one line per run, then the medians and their
// ratio, in a "key=value" form that tools/bench.sh reads.

#include <string>
#include <vector>

namespace qm::bench {

double Median(std::vector<double> values);

// Paired runs of the measured thing and its floor, in the order they ran.
struct Pairs {
    std::vector<double> measured;
    std::vector<double> floor;
};

// Prints "<name> run=i measured=.. floor=.." for each pair and a summary line
// "<name> median_measured=.. median_floor=.. ratio=.. median_run_ratio=..
// target=.. met=yes|no", where ratio (the one held against the target) is that
// of the medians. Returns it.
double ReportPairs(const std::string& name, const std::string& unit, const Pairs& pairs,
                   double target);

// A line "<name> key=value ..." of extra figures.
void ReportLine(const std::string& name, const std::string& fields);

} // namespace qm::bench
