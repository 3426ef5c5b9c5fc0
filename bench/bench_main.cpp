#include <iostream>
#include <string>
#include <vector>

#include "bench/cases.h"
#include "bench/harness.h"
#include "bench/ratio_summary.h"

int main(int argc, char** argv) {
    using namespace zonora::bench;
    Options options;
    std::string error;
    switch (parseCommandLine({argv + 1, argv + argc}, options, error)) {
        case Command::help:
            printUsage(std::cout);
            return 0;
        case Command::invalid:
            std::cerr << "zonora_bench: " << error << "\n";
            printUsage(std::cerr);
            return 2;
        case Command::run:
            break;
    }
    std::vector<Case> cases;
    for (auto listed : {floorCases, zoneFileCases, conversionCases}) {
        const std::vector<Case> more = listed();
        cases.insert(cases.end(), more.begin(), more.end());
    }
    const std::vector<Outcome> outcomes = runCases(cases, options, std::cout);
    if (outcomes.empty()) {
        std::cerr << "zonora_bench: no case matches --filter=" << options.filter << "\n";
        return 2;
    }
    printRatios(outcomes, std::cout);
    // A case that fails times the wrong thing; the smoke run must see it.
    for (const Outcome& outcome : outcomes) {
        if (outcome.failed) return 1;
    }
    return 0;
}
