#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/child_process.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"
#include "ui/cli/command_line.h"

namespace zonora::test {
namespace {

// The real program, without any display, its output streams into files.
ChildEnd runProgram(const TempFolder& folder, const std::vector<std::string>& arguments) {
    return runInChild([&] {
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        ::unsetenv("QT_QPA_PLATFORM");
        const std::string out = folder.file("stdout");
        const std::string err = folder.file("stderr");
        ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
        ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        ::dup2(::open("/dev/null", O_RDONLY), STDIN_FILENO);
        std::vector<char*> argv{const_cast<char*>(ZONORA_PROGRAM)};
        for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(ZONORA_PROGRAM, argv.data());
        return 127;
    });
}

TEST(ProgramCommand, RunsWithoutADisplay) {
    struct Case {
        std::vector<std::string> arguments;
        int status;
        bool written;
    };
    const Case cases[] = {
        {{"to-map", "IN", "-o", "OUT"}, kAllConverted, true},
        {{"to-map", "IN", "-o", "OUT", "--no"}, kUsageError, false},
        {{"to-map", "MISSING", "-o", "OUT"}, kSomeNotConverted, false},
        {{"--version"}, kAllConverted, false},
        {{"-o", "OUT", "to-map", "IN"}, kUsageError, false},  // not a command, nor one file
    };
    for (const Case& c : cases) {
        TempFolder folder;
        writeBytes(folder.file("in.pdb"), readBytes(sampleFile("zones.pdb")));
        std::vector<std::string> arguments = c.arguments;
        for (auto& a : arguments) {
            if (a == "IN") a = folder.file("in.pdb");
            if (a == "MISSING") a = folder.file("missing.pdb");
            if (a == "OUT") a = folder.file("out.map");
        }
        const ChildEnd end = runProgram(folder, arguments);
        EXPECT_TRUE(end.exited) << describe(end);
        EXPECT_EQ(end.exitCode, c.status) << readText(folder.file("stderr"));
        EXPECT_EQ(std::filesystem::exists(folder.path() / "out.map"), c.written);
    }
}

}  // namespace
}  // namespace zonora::test
