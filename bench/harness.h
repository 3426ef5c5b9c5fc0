#pragma once

// The benchmarks' own timing harness, the same on every system: named cases,
// each timed in wall time per operation, run by zonora_bench's command line.

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

namespace zonora::bench {

// One timed run of a case: `while (loop.next()) { one operation }`. The clock
// runs from the first call to next() to the one that returns false, so that
// the set-up before the loop and the checks after it are not timed.
class Loop {
  public:
    explicit Loop(long long operations) : left_(operations) {}

    bool next() {
        if (left_ > 0 && !failed_) {
            if (!started_) {
                started_ = true;
                start_ = Clock::now();
            }
            --left_;
            return true;
        }
        if (!finished_) {
            end_ = Clock::now();
            finished_ = true;
        }
        return false;
    }

    // The run times the wrong thing: it is reported as failed and the loop
    // ends at the next call to next(). The first reason is kept.
    void fail(const std::string& why);
    bool failed() const { return failed_; }
    const std::string& failure() const { return failure_; }
    bool finished() const { return finished_; }
    double seconds() const { return std::chrono::duration<double>(end_ - start_).count(); }

  private:
    using Clock = std::chrono::steady_clock;
    long long left_;
    bool started_ = false;
    bool finished_ = false;
    bool failed_ = false;
    std::string failure_;
    Clock::time_point start_;
    Clock::time_point end_;
};

// Makes the value count as used, so that the work that produced it is not
// optimised away.
template <class T>
inline void keep(const T& value) {
    asm volatile("" : : "r"(&value) : "memory");
}

// Sets up, runs its loop, and may check the result after it.
using CaseBody = void (*)(Loop&);

// The name pairs a figure with its floor in the summary.
struct Case {
    std::string name;
    CaseBody body;
};

struct Options {
    double minSeconds = 0.5;  // each run lasts at least this long
    int repetitions = 1;
    std::string filter;  // a case runs when its name contains this; empty: every case
};

enum class Command { run, help, invalid };

// Reads the arguments after the program's name into options; error says what
// was wrong when the result is invalid.
Command parseCommandLine(const std::vector<std::string>& arguments, Options& options,
                         std::string& error);
void printUsage(std::ostream& out);

struct TimedRun {
    long long operations = 0;
    double seconds = 0;
};

struct Outcome {
    std::string name;
    bool failed = false;
    std::string failure;
    std::vector<TimedRun> runs;  // one for each repetition
    double microseconds = 0;     // per operation: the median of the runs
};

// Runs the chosen cases one after the other, each repetition sized to the
// minimum time, and prints a line for each case as it ends.
std::vector<Outcome> runCases(const std::vector<Case>& cases, const Options& options,
                              std::ostream& out);

}  // namespace zonora::bench
