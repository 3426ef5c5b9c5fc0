#include "bench/harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace zonora::bench {

void Loop::fail(const std::string& why) {
    if (failed_) return;
    failed_ = true;
    failure_ = why;
}

namespace {

constexpr long long kMostOperations = 1'000'000'000;

// The value of --name=value, or nullptr when the argument is another one.
const char* valueOf(const std::string& argument, const std::string& name) {
    if (argument.size() <= name.size() || argument.compare(0, name.size(), name) != 0 ||
        argument[name.size()] != '=') {
        return nullptr;
    }
    return argument.c_str() + name.size() + 1;
}

// One run of the given number of operations. A case that throws or leaves its
// loop early has not timed what it says, and fails too.
bool timeRun(const Case& timed, long long operations, TimedRun& run, std::string& failure) {
    Loop loop(operations);
    try {
        timed.body(loop);
    } catch (const std::exception& thrown) {
        loop.fail(std::string("threw: ") + thrown.what());
    } catch (...) {
        loop.fail("threw an exception");
    }
    if (!loop.failed() && !loop.finished()) loop.fail("left its loop before the last operation");
    if (loop.failed()) {
        failure = loop.failure();
        return false;
    }
    run = {operations, loop.seconds()};
    return true;
}

// More operations each time until a run lasts the minimum: aiming 40 % past
// it, so that the next try seldom falls just short, and at most ten times
// more in one step, since a first operation is often slow (cold caches).
bool sizedRun(const Case& timed, double minSeconds, long long operations, TimedRun& run,
              std::string& failure) {
    for (;;) {
        if (!timeRun(timed, operations, run, failure)) return false;
        if (run.seconds >= minSeconds || operations >= kMostOperations) return true;
        const double growth = std::min(10.0, minSeconds * 1.4 / std::max(run.seconds, 1e-9));
        const auto next = static_cast<long long>(static_cast<double>(operations) * growth);
        operations = std::min(kMostOperations, std::max(operations + 1, next));
    }
}

double microsecondsPerOperation(const TimedRun& run) {
    return run.seconds * 1e6 / static_cast<double>(run.operations);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void report(const Outcome& outcome, int width, std::ostream& out) {
    char line[512];
    if (outcome.failed) {
        std::snprintf(line, sizeof line, "%-*s FAILED: %s\n", width, outcome.name.c_str(),
                      outcome.failure.c_str());
    } else {
        const auto [fastest, slowest] = std::minmax_element(
            outcome.runs.begin(), outcome.runs.end(), [](const TimedRun& a, const TimedRun& b) {
                return microsecondsPerOperation(a) < microsecondsPerOperation(b);
            });
        std::snprintf(line, sizeof line, "%-*s %10.2f %10.2f %10.2f %6zu x %lld\n", width,
                      outcome.name.c_str(), outcome.microseconds,
                      microsecondsPerOperation(*fastest), microsecondsPerOperation(*slowest),
                      outcome.runs.size(), outcome.runs.back().operations);
    }
    out << line << std::flush;
}

}  // namespace

Command parseCommandLine(const std::vector<std::string>& arguments, Options& options,
                         std::string& error) {
    for (const std::string& argument : arguments) {
        char* end = nullptr;
        if (argument == "--help") return Command::help;
        if (const char* value = valueOf(argument, "--min-time")) {
            options.minSeconds = std::strtod(value, &end);
            if (end == value || *end != '\0' || !(options.minSeconds > 0)) {
                error = "--min-time wants a number of seconds above 0: " + argument;
                return Command::invalid;
            }
        } else if (const char* count = valueOf(argument, "--repetitions")) {
            const long repetitions = std::strtol(count, &end, 10);
            if (end == count || *end != '\0' || repetitions < 1 || repetitions > 1000) {
                error = "--repetitions wants a whole number from 1 to 1000: " + argument;
                return Command::invalid;
            }
            options.repetitions = static_cast<int>(repetitions);
        } else if (const char* text = valueOf(argument, "--filter")) {
            options.filter = text;
        } else {
            error = "unknown argument: " + argument;
            return Command::invalid;
        }
    }
    return Command::run;
}

void printUsage(std::ostream& out) {
    out << "Usage: zonora_bench [--min-time=SECONDS] [--repetitions=N] [--filter=TEXT]\n"
           "Times each case in wall time per operation (microseconds), then sets each\n"
           "figure beside its floor measured in the same run.\n"
           "  --min-time=SECONDS  every run of a case lasts at least this long (0.5)\n"
           "  --repetitions=N     runs of each case; the median is reported (1)\n"
           "  --filter=TEXT       only the cases whose name contains TEXT\n"
           "  --help              this text\n"
           "Exit status: 0; 1 when a case failed; 2 when the command line is wrong.\n";
}

std::vector<Outcome> runCases(const std::vector<Case>& cases, const Options& options,
                              std::ostream& out) {
    std::vector<const Case*> chosen;
    int width = 4;
    for (const Case& candidate : cases) {
        if (candidate.name.find(options.filter) == std::string::npos) continue;
        chosen.push_back(&candidate);
        width = std::max(width, static_cast<int>(candidate.name.size()));
    }
    std::vector<Outcome> outcomes;
    if (chosen.empty()) return outcomes;

    char header[256];
    std::snprintf(header, sizeof header, "%-*s %10s %10s %10s   runs x operations\n", width, "case",
                  "us/op", "fastest", "slowest");
    out << header;
    for (const Case* timed : chosen) {
        Outcome outcome;
        outcome.name = timed->name;
        long long operations = 1;
        std::vector<double> perOperation;
        while (!outcome.failed && static_cast<int>(outcome.runs.size()) < options.repetitions) {
            TimedRun run;
            // Later repetitions start from the count found, and grow only when short.
            outcome.failed =
                !sizedRun(*timed, options.minSeconds, operations, run, outcome.failure);
            if (outcome.failed) break;
            outcome.runs.push_back(run);
            perOperation.push_back(microsecondsPerOperation(run));
            operations = run.operations;
        }
        if (!outcome.failed) outcome.microseconds = median(perOperation);
        report(outcome, width, out);
        outcomes.push_back(std::move(outcome));
    }
    return outcomes;
}

}  // namespace zonora::bench
