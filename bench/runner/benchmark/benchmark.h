#pragma once

// The part of the Google Benchmark interface that the benchmarks use, for the
// builds where the library is not available (the mingw cross build), so that
// the benchmark sources stay one set. It sizes runs the way the library does
// (each run grows until it takes --benchmark_min_time, the repetitions then
// keep that count), reports through the same reporter interface and accepts
// the library's flags --benchmark_min_time, --benchmark_repetitions and
// --benchmark_filter.

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <regex>
#include <string>
#include <vector>

namespace benchmark {

enum TimeUnit { kNanosecond, kMicrosecond, kMillisecond, kSecond };

inline double GetTimeUnitMultiplier(TimeUnit unit) {
    switch (unit) {
        case kSecond:
            return 1;
        case kMillisecond:
            return 1e3;
        case kMicrosecond:
            return 1e6;
        case kNanosecond:
            break;
    }
    return 1e9;
}

inline const char* GetTimeUnitString(TimeUnit unit) {
    switch (unit) {
        case kSecond:
            return "s";
        case kMillisecond:
            return "ms";
        case kMicrosecond:
            return "us";
        case kNanosecond:
            break;
    }
    return "ns";
}

using IterationCount = std::int64_t;

// Makes the value count as read and written, so that the work that produced
// it cannot be dropped.
template <class T>
inline void DoNotOptimize(const T& value) {
    asm volatile("" : : "r,m"(value) : "memory");
}
template <class T>
inline void DoNotOptimize(T& value) {
    asm volatile("" : "+m,r"(value) : : "memory");
}

namespace internal {

inline double cpuSeconds() {
    timespec now{};
    if (::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now) != 0) return 0;
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

inline double wallSeconds() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

}  // namespace internal

// One run of a benchmark: `for (auto _ : state)` runs the body the given
// number of times, timed from the loop's start to its end.
class State {
  public:
    explicit State(IterationCount iterations) : remaining_(iterations), iterations_(iterations) {}

    struct [[maybe_unused]] Value {};
    class Iterator {
      public:
        explicit Iterator(State* state) : state_(state) {}
        Value operator*() const { return {}; }
        Iterator& operator++() {
            --state_->remaining_;
            return *this;
        }
        bool operator!=(const Iterator&) const {
            if (state_->remaining_ > 0) return true;
            state_->stopTimer();
            return false;
        }

      private:
        State* state_;
    };
    Iterator begin() {
        startTimer();
        return Iterator(this);
    }
    Iterator end() { return Iterator(nullptr); }

    // Marks the run as failed; the benchmark leaves its loop itself.
    void SkipWithError(const char* message) {
        if (!error_) message_ = message;
        error_ = true;
        remaining_ = 0;
    }
    bool error_occurred() const { return error_; }
    IterationCount iterations() const {
        return iterations_ - std::max<IterationCount>(remaining_, 0);
    }

    // For the runner.
    void stopTimer() {
        if (!running_) return;
        real_ += internal::wallSeconds() - realStart_;
        cpu_ += internal::cpuSeconds() - cpuStart_;
        running_ = false;
    }
    double realSeconds() const { return real_; }
    double cpuSeconds() const { return cpu_; }
    const std::string& errorMessage() const { return message_; }

  private:
    void startTimer() {
        running_ = true;
        cpuStart_ = internal::cpuSeconds();
        realStart_ = internal::wallSeconds();
    }

    IterationCount remaining_;
    IterationCount iterations_;
    bool running_ = false;
    double realStart_ = 0;
    double cpuStart_ = 0;
    double real_ = 0;
    double cpu_ = 0;
    bool error_ = false;
    std::string message_;
};

struct BenchmarkName {
    std::string function_name;
    std::string time_type;  // "real_time" when timed by the wall clock
    std::string str() const {
        return time_type.empty() ? function_name : function_name + "/" + time_type;
    }
};

class BenchmarkReporter {
  public:
    struct Run {
        enum RunType { RT_Iteration, RT_Aggregate };

        std::string benchmark_name() const {
            return run_type == RT_Aggregate ? run_name.str() + "_" + aggregate_name
                                            : run_name.str();
        }
        // Time per iteration in time_unit (aggregates: the statistic of the
        // repetitions' totals, each over the same iterations).
        double GetAdjustedRealTime() const { return adjusted(real_accumulated_time); }
        double GetAdjustedCPUTime() const { return adjusted(cpu_accumulated_time); }

        BenchmarkName run_name;
        RunType run_type = RT_Iteration;
        std::string aggregate_name;
        bool error_occurred = false;
        std::string error_message;
        IterationCount iterations = 1;
        std::int64_t repetitions = 1;
        TimeUnit time_unit = kNanosecond;
        double real_accumulated_time = 0;
        double cpu_accumulated_time = 0;

      private:
        double adjusted(double seconds) const {
            const double scaled = seconds * GetTimeUnitMultiplier(time_unit);
            return iterations != 0 ? scaled / static_cast<double>(iterations) : scaled;
        }
    };

    virtual ~BenchmarkReporter() = default;
    virtual void ReportRuns(const std::vector<Run>& runs) = 0;
};

// Plain columns on standard output; the options are taken and not used.
class ConsoleReporter : public BenchmarkReporter {
  public:
    enum OutputOptions {
        OO_None = 0,
        OO_Color = 1,
        OO_Tabular = 2,
        OO_ColorTabular = 3,
        OO_Defaults = OO_ColorTabular
    };
    explicit ConsoleReporter(OutputOptions = OO_Defaults) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        if (!printedHeader_) {
            const std::string rule(nameWidth_ + 52, '-');
            std::printf("%s\n%-*s %15s %15s %12s\n%s\n", rule.c_str(), static_cast<int>(nameWidth_),
                        "Benchmark", "Time", "CPU", "Iterations", rule.c_str());
            printedHeader_ = true;
        }
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            if (run.error_occurred) {
                std::printf("%-*s ERROR OCCURRED: '%s'\n", static_cast<int>(nameWidth_),
                            name.c_str(), run.error_message.c_str());
                continue;
            }
            const char* unit = GetTimeUnitString(run.time_unit);
            std::printf("%-*s %12.2f %-2s %12.2f %-2s %12lld\n", static_cast<int>(nameWidth_),
                        name.c_str(), run.GetAdjustedRealTime(), unit, run.GetAdjustedCPUTime(),
                        unit, static_cast<long long>(run.iterations));
        }
        std::fflush(stdout);
    }

    void setNameWidth(std::size_t width) { nameWidth_ = std::max(nameWidth_, width); }

  private:
    std::size_t nameWidth_ = 10;
    bool printedHeader_ = false;
};

namespace internal {

class Benchmark {
  public:
    Benchmark(const char* name, void (*function)(State&)) : name_(name), function_(function) {}

    Benchmark* Name(const std::string& name) {
        name_ = name;
        return this;
    }
    Benchmark* UseRealTime() {
        realTime_ = true;
        return this;
    }
    Benchmark* Unit(TimeUnit unit) {
        unit_ = unit;
        return this;
    }

    BenchmarkName name() const { return {name_, realTime_ ? "real_time" : ""}; }
    void run(State& state) const { function_(state); }
    bool realTime() const { return realTime_; }
    TimeUnit unit() const { return unit_; }

  private:
    std::string name_;
    void (*function_)(State&);
    bool realTime_ = false;
    TimeUnit unit_ = kNanosecond;
};

inline std::vector<std::unique_ptr<Benchmark>>& registry() {
    static std::vector<std::unique_ptr<Benchmark>> benchmarks;
    return benchmarks;
}

inline Benchmark* RegisterBenchmarkInternal(Benchmark* benchmark) {
    registry().emplace_back(benchmark);
    return benchmark;
}

struct Flags {
    double minTime = 0.5;  // seconds, as the library's default
    int repetitions = 1;
    std::string filter = ".";
};

inline Flags& flags() {
    static Flags values;
    return values;
}

// The value of --name=value, or nullptr when the argument is another one.
inline const char* flagValue(const char* argument, const char* name) {
    const std::size_t length = std::strlen(name);
    if (std::strncmp(argument, name, length) != 0 || argument[length] != '=') return nullptr;
    return argument + length + 1;
}

inline BenchmarkReporter::Run measure(const Benchmark& benchmark, IterationCount iterations) {
    State state(iterations);
    benchmark.run(state);
    state.stopTimer();  // a benchmark that left its loop early
    BenchmarkReporter::Run run;
    run.run_name = benchmark.name();
    run.time_unit = benchmark.unit();
    run.error_occurred = state.error_occurred();
    run.error_message = state.errorMessage();
    run.iterations = iterations;
    run.real_accumulated_time = state.realSeconds();
    run.cpu_accumulated_time = state.cpuSeconds();
    return run;
}

// Grows the iteration count until one run lasts the minimum time, with the
// library's rule: at most ten times more per step unless the last run was
// already a tenth of the goal, and 40 % to spare.
inline BenchmarkReporter::Run firstRun(const Benchmark& benchmark) {
    constexpr IterationCount kMaxIterations = 1000000000;
    const double goal = flags().minTime;
    IterationCount iterations = 1;
    for (;;) {
        BenchmarkReporter::Run run = measure(benchmark, iterations);
        const double seconds =
            benchmark.realTime() ? run.real_accumulated_time : run.cpu_accumulated_time;
        if (run.error_occurred || seconds >= goal || iterations >= kMaxIterations) return run;
        double multiplier = goal * 1.4 / std::max(seconds, 1e-9);
        if (seconds / goal <= 0.1) multiplier = std::min(multiplier, 10.0);
        if (multiplier <= 1.0) multiplier = 2.0;
        const auto next = static_cast<IterationCount>(multiplier * static_cast<double>(iterations));
        iterations = std::min(std::max(next, iterations + 1), kMaxIterations);
    }
}

inline BenchmarkReporter::Run aggregate(const std::vector<BenchmarkReporter::Run>& runs,
                                        const char* name, double real, double cpu) {
    BenchmarkReporter::Run result = runs.front();
    result.run_type = BenchmarkReporter::Run::RT_Aggregate;
    result.aggregate_name = name;
    result.repetitions = static_cast<std::int64_t>(runs.size());
    result.real_accumulated_time = real;
    result.cpu_accumulated_time = cpu;
    return result;
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline double mean(const std::vector<double>& values) {
    double sum = 0;
    for (const double value : values) sum += value;
    return sum / static_cast<double>(values.size());
}

inline double stddev(const std::vector<double>& values) {
    if (values.size() < 2) return 0;
    const double average = mean(values);
    double squares = 0;
    for (const double value : values) squares += (value - average) * (value - average);
    return std::sqrt(squares / static_cast<double>(values.size() - 1));
}

// Mean, median and standard deviation of the repetitions, as the library
// adds them when there are several.
inline void addAggregates(std::vector<BenchmarkReporter::Run>& runs) {
    std::vector<double> real;
    std::vector<double> cpu;
    for (const auto& run : runs) {
        if (run.error_occurred) return;
        real.push_back(run.real_accumulated_time);
        cpu.push_back(run.cpu_accumulated_time);
    }
    const std::vector<BenchmarkReporter::Run> repetitions = runs;
    runs.push_back(aggregate(repetitions, "mean", mean(real), mean(cpu)));
    runs.push_back(aggregate(repetitions, "median", median(real), median(cpu)));
    runs.push_back(aggregate(repetitions, "stddev", stddev(real), stddev(cpu)));
}

}  // namespace internal

// Takes the flags above out of argv; the rest are left for
// ReportUnrecognizedArguments.
inline void Initialize(int* argc, char** argv) {
    internal::Flags& flags = internal::flags();
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        if (const char* value = internal::flagValue(argv[i], "--benchmark_min_time")) {
            flags.minTime = std::strtod(value, nullptr);  // "0.5" and "0.5s" alike
        } else if (const char* count = internal::flagValue(argv[i], "--benchmark_repetitions")) {
            flags.repetitions = std::max(1, std::atoi(count));
        } else if (const char* pattern = internal::flagValue(argv[i], "--benchmark_filter")) {
            flags.filter = pattern;
        } else {
            argv[kept++] = argv[i];
        }
    }
    *argc = kept;
}

inline bool ReportUnrecognizedArguments(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::fprintf(stderr, "%s: error: unrecognized command-line flag: %s\n", argv[0], argv[i]);
    }
    return argc > 1;
}

inline std::size_t RunSpecifiedBenchmarks(ConsoleReporter* reporter) {
    const internal::Flags& flags = internal::flags();
    const std::regex filter(flags.filter);
    std::vector<const internal::Benchmark*> chosen;
    for (const auto& benchmark : internal::registry()) {
        const std::string name = benchmark->name().str();
        if (!std::regex_search(name, filter)) continue;
        chosen.push_back(benchmark.get());
        reporter->setNameWidth(name.size() + (flags.repetitions > 1 ? 7 : 0));
    }
    for (const internal::Benchmark* benchmark : chosen) {
        std::vector<BenchmarkReporter::Run> runs{internal::firstRun(*benchmark)};
        while (!runs.back().error_occurred && static_cast<int>(runs.size()) < flags.repetitions) {
            runs.push_back(internal::measure(*benchmark, runs.front().iterations));
        }
        if (flags.repetitions > 1) internal::addAggregates(runs);
        reporter->ReportRuns(runs);
    }
    return chosen.size();
}

inline void Shutdown() {}

}  // namespace benchmark

#define ZONORA_BENCHMARK_CONCAT2(a, b) a##b
#define ZONORA_BENCHMARK_CONCAT(a, b) ZONORA_BENCHMARK_CONCAT2(a, b)
#define BENCHMARK(function)                                                            \
    [[maybe_unused]] static ::benchmark::internal::Benchmark* ZONORA_BENCHMARK_CONCAT( \
        zonora_benchmark_, __LINE__) =                                                 \
        ::benchmark::internal::RegisterBenchmarkInternal(                              \
            new ::benchmark::internal::Benchmark(#function, function))
