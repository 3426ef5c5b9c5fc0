#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace zonora::bench {

// The console report, plus the wall time of every benchmark, so that each
// figure can be set beside its floor once all have run.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    RatioReporter();
    void ReportRuns(const std::vector<Run>& runs) override;

    // Wall time per operation in microseconds: the median of the repetitions
    // when there were several, else the mean. False when the benchmark did
    // not run or failed.
    bool microseconds(const std::string& name, double& out) const;
    bool anyFailed() const { return failed_; }

  private:
    struct Total {
        double seconds = 0;
        double iterations = 0;
        double median = -1;  // microseconds, from the median aggregate
    };
    std::map<std::string, Total> totals_;
    bool failed_ = false;
};

// One line for each figure: its time, its floor's time and the ratio.
void printRatios(const RatioReporter& results, std::ostream& out);

}  // namespace zonora::bench
