#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <optional>

#include "platform/file_error.h"
#include "tests/reliability/faulty_file_system.h"
#include "tests/reliability/reliability_fixture.h"
#include "tests/support/native_file_system.h"

namespace zonora::test {
namespace {

// The report the user must see for an injected error: its number and plain
// description, naming the file concerned.
std::string expectedReport(const Step& step) {
    struct Known {
        int errnoValue;
        int number;
        const char* description;
    };
    static const Known known[] = {{EACCES, 70, "Permission denied"},
                                  {EROFS, 70, "Permission denied"},
                                  {ENOSPC, 61, "Disk full"},
                                  {EBUSY, 75, "Path/File access error"},
                                  {EIO, 57, "Device I/O error"}};
    for (const auto& k : known) {
        if (k.errnoValue == injectedError(step.operation).value()) {
            return errorReport(k.number, std::string(k.description) + ": " + step.path);
        }
    }
    ADD_FAILURE() << "no expected report for " << operationName(step.operation);
    return {};
}

// What breaks the rule of one open file at a time, or nothing: when a file is
// opened or a replacement begun no other file is open, except the template,
// which stays open while its copy is written. The step made to fail, if any,
// opened or closed nothing.
std::string oneFileAtATime(const std::vector<Step>& steps, const std::string& templatePath,
                           int failed) {
    std::vector<std::string> open;
    for (const Step& step : steps) {
        if (step.number == failed) continue;
        if (step.operation == Operation::Open || step.operation == Operation::Replace) {
            const bool copying = step.operation == Operation::Replace &&
                                 open == std::vector<std::string>{templatePath};
            if (!open.empty() && !copying) {
                return "step " + std::to_string(step.number) + ", " +
                       operationName(step.operation) + " of " + step.path + ", while " +
                       open.front() + " is open";
            }
            open.push_back(step.path);
        } else if (step.operation == Operation::Close || step.operation == Operation::Commit) {
            std::erase(open, step.path);
        }
    }
    return open.empty() ? "" : open.front() + " is left open";
}

class FaultInjection : public testing::TestWithParam<Case> {
  protected:
    // Pieces small enough that a failure can fall in the middle of a file.
    static constexpr std::size_t kWritePiece = 512;

    std::vector<Step> cleanRun() {
        std::vector<Step> failable;
        for (const Step& step : stepsOfASuccessfulRun(GetParam(), kWritePiece)) {
            if (step.canFail) failable.push_back(step);
        }
        return failable;
    }
};

// The source is closed before the template is opened or the destination
// begun: the order itself, which the failure points below merely follow.
TEST_P(FaultInjection, OneFileIsOpenAtATime) {
    ConversionSetup setup(GetParam().direction, GetParam().destinationExists);
    NativeFileSystem real;
    FaultyFileSystem files(real);
    RecordingMessageBox box;
    TextPathFields fields = setup.fields();
    setup.run(files, box, fields);
    EXPECT_EQ(box.prompts(), setup.successPrompts());
    EXPECT_EQ(oneFileAtATime(files.steps(), setup.templatePath, 0), "");
    // The rule is not kept by there being nothing else to open.
    EXPECT_GE(std::count_if(files.steps().begin(), files.steps().end(),
                            [](const Step& step) {
                                return step.operation == Operation::Open ||
                                       step.operation == Operation::Replace;
                            }),
              GetParam().direction == ConversionDirection::MapToPdb ? 3 : 2);
}

TEST_P(FaultInjection, EveryFailingFileStepIsReportedAndLosesNothing) {
    const std::vector<Step> points = cleanRun();
    ASSERT_FALSE(points.empty());

    std::string summary;
    for (std::size_t n = 1; n <= points.size() + 1; ++n) {
        ConversionSetup setup(GetParam().direction, GetParam().destinationExists);
        const FolderImage before = imageOf(setup.folder.path());
        const int descriptors = openDescriptors();

        NativeFileSystem real;
        FaultyFileSystem files(real);
        files.writePiece = kWritePiece;
        std::size_t seen = 0;
        std::optional<Step> failed;
        files.before = [&](const Step& step) {
            if (++seen != n) return;
            failed = step;
            throw FileError(injectedError(step.operation), step.path);
        };
        RecordingMessageBox box;
        TextPathFields fields = setup.fields();
        setup.run(files, box, fields);

        EXPECT_EQ(oneFileAtATime(files.steps(), setup.templatePath, failed ? failed->number : 0),
                  "")
            << "failure at step " << n;
        if (n > points.size()) {
            // Past the last step: nothing fails, so the enumeration was complete.
            EXPECT_FALSE(failed);
            EXPECT_EQ(box.prompts(), setup.successPrompts());
            continue;
        }
        ASSERT_TRUE(failed) << "step " << n << " was not reached again";
        SCOPED_TRACE("failure at step " + std::to_string(n) + ", " +
                     operationName(failed->operation) + " of " + failed->path);
        EXPECT_EQ(failed->operation, points[n - 1].operation) << "steps are not repeatable";
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].title, "Error");
        EXPECT_EQ(box.shown[0].buttons, Buttons::Ok);
        EXPECT_EQ(box.shown[0].prompt, expectedReport(*failed));
        EXPECT_EQ(fields.map, setup.fields().map);
        EXPECT_EQ(fields.pdb, setup.fields().pdb);
        // Source, destination (or its absence) and no temporary file left.
        EXPECT_EQ(imageOf(setup.folder.path()), before);
        EXPECT_EQ(openDescriptors(), descriptors);

        // Whatever the failure left behind does not stand in the next one's way.
        RecordingMessageBox again;
        setup.run(real, again, fields);
        EXPECT_EQ(again.prompts(), setup.successPrompts());
        EXPECT_EQ(readBytes(setup.destination), setup.expectedDestination());
        EXPECT_EQ(imageOf(setup.folder.path()).size(),
                  before.size() + (GetParam().destinationExists ? 0 : 1));

        summary += std::string(" ") + operationName(failed->operation);
    }
    std::cout << "[  figures ] " << caseName({GetParam(), 0}) << ": " << points.size()
              << " failure points:" << summary << "\n";
}

INSTANTIATE_TEST_SUITE_P(BothConversions, FaultInjection, kAllCases, caseName);

}  // namespace
}  // namespace zonora::test
