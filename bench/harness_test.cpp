#include "bench/harness.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace zonora::bench {
namespace {

void counts(Loop& loop) {
    long long count = 0;
    while (loop.next()) keep(++count);
}

TEST(Harness, EveryRepetitionLastsTheMinimumTime) {
    std::ostringstream out;
    const auto outcomes = runCases({{"counts", counts}}, {0.02, 3, ""}, out);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_FALSE(outcomes[0].failed) << outcomes[0].failure;
    ASSERT_EQ(outcomes[0].runs.size(), 3u);
    for (const TimedRun& run : outcomes[0].runs) EXPECT_GE(run.seconds, 0.02);
    EXPECT_GT(outcomes[0].microseconds, 0);
}

// Each of these times the wrong thing, and must be reported as failed.
TEST(Harness, ACaseThatDoesNotRunItsWholeLoopFails) {
    const struct {
        CaseBody body;
        const char* failure;
    } rows[] = {
        {[](Loop& loop) {
             while (loop.next()) loop.fail("wrong result");
         },
         "wrong result"},
        {[](Loop& loop) {
             while (loop.next()) break;
         },
         "left its loop"},
        {[](Loop&) {}, "left its loop"},
        {[](Loop& loop) {
             while (loop.next()) throw std::runtime_error("disk gone");
         },
         "disk gone"},
    };
    for (const auto& row : rows) {
        std::ostringstream out;
        const auto outcomes = runCases({{"case", row.body}}, {0.001, 2, ""}, out);
        ASSERT_EQ(outcomes.size(), 1u);
        EXPECT_TRUE(outcomes[0].failed) << row.failure;
        EXPECT_NE(outcomes[0].failure.find(row.failure), std::string::npos) << outcomes[0].failure;
        EXPECT_NE(out.str().find("FAILED"), std::string::npos);
    }
}

TEST(Harness, TheFilterChoosesCasesByName) {
    std::ostringstream out;
    const auto outcomes =
        runCases({{"floor: read", counts}, {"PdbToMap", counts}}, {0.001, 1, "Pdb"}, out);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].name, "PdbToMap");
}

TEST(Harness, CommandLine) {
    const struct {
        std::vector<std::string> arguments;
        Command command;
    } rows[] = {
        {{"--min-time=0.25", "--repetitions=5", "--filter=floor"}, Command::run},
        {{"--min-time=1", "--help"}, Command::help},
        {{"--min-time=fast"}, Command::invalid},
        {{"--min-time=0"}, Command::invalid},
        {{"--min-time="}, Command::invalid},
        {{"--repetitions=0"}, Command::invalid},
        {{"--repetitions=2x"}, Command::invalid},
        {{"--min-time", "0.5"}, Command::invalid},
        {{"--benchmark_min_time=0.5"}, Command::invalid},
    };
    for (const auto& row : rows) {
        Options options;
        std::string error;
        EXPECT_EQ(parseCommandLine(row.arguments, options, error), row.command)
            << row.arguments.front();
        EXPECT_EQ(error.empty(), row.command != Command::invalid) << row.arguments.front();
    }
    Options options;
    std::string error;
    parseCommandLine({"--min-time=0.25", "--repetitions=5", "--filter=floor"}, options, error);
    EXPECT_EQ(options.minSeconds, 0.25);
    EXPECT_EQ(options.repetitions, 5);
    EXPECT_EQ(options.filter, "floor");
}

}  // namespace
}  // namespace zonora::bench
