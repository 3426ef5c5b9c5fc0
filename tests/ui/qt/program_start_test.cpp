#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"
#include "ui/qt/display_check.h"

namespace zonora::test {
namespace {

TEST(NoDisplayReason, OnlyWhenNothingPointsAtADisplay) {
    struct Case {
        DisplayEnvironment environment;
        bool refused;
    };
    const Case cases[] = {
        {{"", "", ""}, true},
        {{"", ":0", ""}, false},
        {{"", "", "wayland-0"}, false},
        {{"offscreen", "", ""}, false},
    };
    for (const Case& c : cases) {
        const auto reason = noDisplayReason(c.environment);
        EXPECT_EQ(reason.has_value(), c.refused) << c.environment.x11Display;
        if (reason) {
            EXPECT_EQ(reason->find('\n'), std::string::npos);
        }
    }
}

// Starts the real program with the given display and returns how it ended;
// what it wrote to standard error is left in errors.
ChildEnd startProgram(const char* display, const std::string& errors) {
    return runInChild([&] {
        ::unsetenv("QT_QPA_PLATFORM");
        ::unsetenv("WAYLAND_DISPLAY");
        if (display == nullptr) {
            ::unsetenv("DISPLAY");
        } else {
            ::setenv("DISPLAY", display, 1);
        }
        const int fd = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, STDERR_FILENO);
        ::execl(ZONORA_PROGRAM, ZONORA_PROGRAM, static_cast<char*>(nullptr));
        return 127;
    });
}

// Without a display, or with one that cannot be reached, the program says so
// in one line and fails, instead of the toolkit's abort.
TEST(ProgramStart, WithoutADisplayOneLineAndAFailingStatus) {
    for (const char* display : {static_cast<const char*>(nullptr), ":93"}) {
        TempFolder folder;
        const std::string errors = folder.file("stderr");
        const ChildEnd end = startProgram(display, errors);
        EXPECT_TRUE(end.exited) << describe(end);
        EXPECT_EQ(end.exitCode, kNoDisplayStatus);
        const std::string text = readText(errors);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.find('\n'), text.size() - 1) << text;
        EXPECT_EQ(text.rfind("zonora: ", 0), 0u) << text;
    }
}

}  // namespace
}  // namespace zonora::test
