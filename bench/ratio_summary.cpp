#include "bench/ratio_summary.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "bench/bench_names.h"

namespace zonora::bench {
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

// Microseconds per operation of the named case; false when it did not run
// or failed.
bool microseconds(const std::vector<Outcome>& outcomes, const std::string& name, double& out) {
    for (const Outcome& outcome : outcomes) {
        if (outcome.name != name) continue;
        out = outcome.microseconds;
        return !outcome.failed;
    }
    return false;
}

}  // namespace

void printRatios(const std::vector<Outcome>& outcomes, std::ostream& out) {
    out << "\nEach figure beside its floor (wall time per operation, the median of the runs)\n";
    char line[256];
    for (const Pairing& pairing : kPairings) {
        double figure = 0;
        double floor = 0;
        // A figure the filter left out is no gap; one that ran without its floor is.
        const auto ran = [&](const Outcome& outcome) { return outcome.name == pairing.figure; };
        if (std::none_of(outcomes.begin(), outcomes.end(), ran)) continue;
        bool complete = microseconds(outcomes, pairing.figure, figure);
        std::string floorName;
        for (const char* name : pairing.floors) {
            double part = 0;
            complete = microseconds(outcomes, name, part) && complete;
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
