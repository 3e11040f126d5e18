#include "bench_report.h"

#include <algorithm>
#include <cstdio>

namespace qm::bench {

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

double ReportPairs(const std::string& name, const std::string& unit, const Pairs& pairs,
                   double target) {
    for (std::size_t i = 0; i < pairs.measured.size() && i < pairs.floor.size(); ++i) {
        std::printf("%s run=%zu measured_%s=%.3f floor_%s=%.3f\n", name.c_str(), i + 1,
                    unit.c_str(), pairs.measured[i], unit.c_str(), pairs.floor[i]);
    }
    const double measured = Median(pairs.measured);
    const double floor = Median(pairs.floor);
    const double ratio = floor > 0.0 ? measured / floor : 0.0;
    // Each run's own ratio too: less moved by the machine's load drifting between runs.
    std::vector<double> ratios;
    for (std::size_t i = 0; i < pairs.measured.size() && i < pairs.floor.size(); ++i) {
        if (pairs.floor[i] > 0.0) {
            ratios.push_back(pairs.measured[i] / pairs.floor[i]);
        }
    }
    std::printf("%s runs=%zu median_measured_%s=%.3f median_floor_%s=%.3f ratio=%.3f "
                "median_run_ratio=%.3f target=%.2f met=%s\n",
                name.c_str(), pairs.measured.size(), unit.c_str(), measured, unit.c_str(), floor,
                ratio, Median(ratios), target, ratio <= target ? "yes" : "no");
    std::fflush(stdout);
    return ratio;
}

void ReportLine(const std::string& name, const std::string& fields) {
    std::printf("%s %s\n", name.c_str(), fields.c_str());
    std::fflush(stdout);
}

} // namespace qm::bench
