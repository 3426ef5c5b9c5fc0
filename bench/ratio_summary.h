#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace zonora::bench {

// The console report, plus the mean wall time of every benchmark, so that each
// figure can be set beside its floor once all have run.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    RatioReporter();
    void ReportRuns(const std::vector<Run>& runs) override;

    // Mean wall time per iteration in microseconds; absent when the
    // benchmark did not run or failed.
    bool meanMicroseconds(const std::string& name, double& out) const;
    bool anyFailed() const { return failed_; }

  private:
    struct Total {
        double seconds = 0;
        double iterations = 0;
    };
    std::map<std::string, Total> totals_;
    bool failed_ = false;
};

// One line for each figure: its time, its floor's time and the ratio.
void printRatios(const RatioReporter& results, std::ostream& out);

}  // namespace zonora::bench
