#include <benchmark/benchmark.h>

#include <iostream>

#include "bench/ratio_summary.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    zonora::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    zonora::bench::printRatios(reporter, std::cout);
    // A benchmark that fails times the wrong thing; the smoke run must see it.
    return reporter.anyFailed() ? 1 : 0;
}
