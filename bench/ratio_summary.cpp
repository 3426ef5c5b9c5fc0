#include "bench/ratio_summary.h"

#include <unistd.h>

#include <cstdio>
#include <initializer_list>

#include "bench/bench_names.h"

namespace zonora::bench {

// Colour only on a terminal, so that logs and CTest output stay plain.
RatioReporter::RatioReporter()
    : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.error_occurred) failed_ = true;
        if (run.error_occurred) continue;
        Total& total = totals_[run.run_name.function_name];
        if (run.run_type == Run::RT_Iteration) {
            total.seconds += run.real_accumulated_time;
            total.iterations += static_cast<double>(run.iterations);
        } else if (run.aggregate_name == "median") {
            total.median =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e6;
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

bool RatioReporter::microseconds(const std::string& name, double& out) const {
    const auto found = totals_.find(name);
    if (found == totals_.end()) return false;
    const Total& total = found->second;
    if (total.median >= 0) {
        out = total.median;
        return true;
    }
    if (total.iterations <= 0) return false;
    out = total.seconds / total.iterations * 1e6;
    return true;
}

namespace {

struct Pairing {
    const char* figure;
    std::initializer_list<const char*> floors;  // summed
};

// A conversion's floor is the file work it cannot avoid: reading its source
// and putting its result durably in place.
const Pairing kPairings[] = {
    {kReadZoneTable, {kFloorRead}},        {kWriteMapFile, {kFloorWrite}},
    {kScanMapFile, {kFloorRead}},          {kPdbToMap, {kFloorRead, kFloorWrite}},
    {kMapToPdb, {kFloorRead, kFloorCopy}},
};

}  // namespace

void printRatios(const RatioReporter& results, std::ostream& out) {
    out << "\nEach figure beside its floor (wall time per operation; the median when repeated)\n";
    char line[256];
    for (const Pairing& pairing : kPairings) {
        double figure = 0;
        double floor = 0;
        bool complete = results.microseconds(pairing.figure, figure);
        std::string floorName;
        for (const char* name : pairing.floors) {
            double part = 0;
            complete = results.microseconds(name, part) && complete;
            floor += part;
            floorName += (floorName.empty() ? "" : " + ") + std::string(name);
        }
        if (!complete) {
            out << pairing.figure << ": not measured in this run\n";
            continue;
        }
        std::snprintf(line, sizeof line, "%-16s %10.2f us   floor %10.2f us   ratio %6.2f   (%s)\n",
                      pairing.figure, figure, floor, figure / floor, floorName.c_str());
        out << line;
    }
}

}  // namespace zonora::bench
