#include <gtest/gtest.h>

#include <csignal>
#include <iostream>

#include "platform/posix/posix_file_system.h"
#include "tests/reliability/faulty_file_system.h"
#include "tests/reliability/reliability_fixture.h"
#include "tests/support/child_process.h"

namespace zonora::test {
namespace {

bool isTemporary(const std::string& name) { return name.starts_with(kTemporaryPrefix); }

// A conversion killed outright (SIGKILL) after each of its file steps in turn,
// writes cut in small pieces so a kill also falls inside the content.
class KilledConversion : public testing::TestWithParam<Case> {
  protected:
    static constexpr std::size_t kWritePiece = 256;

    std::vector<Step> cleanSteps() { return stepsOfASuccessfulRun(GetParam(), kWritePiece); }
};

TEST_P(KilledConversion, LeavesTheOldFileOrTheNewOneAndNothingInTheWay) {
    const std::vector<Step> steps = cleanSteps();
    std::size_t commit = 0;  // the step that puts the new file in place
    for (const Step& step : steps) {
        if (step.operation == Operation::Commit) commit = static_cast<std::size_t>(step.number);
    }
    ASSERT_GT(commit, 0u);

    int keptOld = 0;
    int complete = 0;
    int leftTemporary = 0;
    for (std::size_t killAfter = 0; killAfter <= steps.size(); ++killAfter) {
        SCOPED_TRACE("killed after step " + std::to_string(killAfter));
        ConversionSetup setup(GetParam().direction, GetParam().destinationExists);
        const FolderImage before = imageOf(setup.folder.path());
        const std::string destination =
            std::filesystem::path(setup.destination).filename().string();

        const ChildEnd end = runInChild([&] {
            if (killAfter == 0) ::raise(SIGKILL);
            PosixFileSystem real;
            FaultyFileSystem files(real);
            files.writePiece = kWritePiece;
            files.after = [&](const Step& step) {
                if (static_cast<std::size_t>(step.number) == killAfter) ::raise(SIGKILL);
            };
            RecordingMessageBox box;
            TextPathFields fields = setup.fields();
            setup.run(files, box, fields);
            return 0;
        });
        ASSERT_FALSE(end.exited) << describe(end);
        ASSERT_EQ(end.signal, SIGKILL);

        FolderImage after = imageOf(setup.folder.path());
        int temporaries = 0;
        for (auto it = after.begin(); it != after.end();) {
            if (!isTemporary(it->first)) {
                ++it;
                continue;
            }
            ++temporaries;
            it = after.erase(it);
        }
        EXPECT_LE(temporaries, 1);
        leftTemporary += temporaries;

        FolderImage expected = before;
        if (killAfter >= commit) {
            expected[destination] = setup.expectedDestination();
            ++complete;
        } else {
            ++keptOld;
        }
        // Old file (or none) before the commit, the complete new one after it;
        // the source and everything else as they were.
        EXPECT_EQ(after, expected);

        // A leftover temporary file does not stand in the next conversion's way.
        PosixFileSystem real;
        RecordingMessageBox box;
        TextPathFields fields = setup.fields();
        setup.run(real, box, fields);
        EXPECT_EQ(box.prompts(), setup.successPrompts());
        EXPECT_EQ(readBytes(setup.destination), setup.expectedDestination());
        int temporariesNow = 0;
        for (const auto& name : setup.folder.entries()) temporariesNow += isTemporary(name);
        EXPECT_EQ(temporariesNow, temporaries);
    }
    std::cout << "[  figures ] " << caseName({GetParam(), 0}) << ": " << steps.size() + 1
              << " kill points: " << keptOld << " left the destination as it was, " << complete
              << " left it complete, " << leftTemporary << " left a temporary file\n";
}

INSTANTIATE_TEST_SUITE_P(BothConversions, KilledConversion, kAllCases, caseName);

}  // namespace
}  // namespace zonora::test
