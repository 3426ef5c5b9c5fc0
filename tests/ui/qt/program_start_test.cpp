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
// what it wrote to standard error is left in the folder's "stderr". Given a
// file, it starts offscreen with the window report, which leaves how the
// window started in "stdout" and ends it.
ChildEnd startProgram(const char* display, const TempFolder& folder, const std::string& file = {}) {
    return runInChild([&] {
        ::unsetenv("QT_QPA_PLATFORM");
        ::unsetenv("WAYLAND_DISPLAY");
        if (display == nullptr) {
            ::unsetenv("DISPLAY");
        } else {
            ::setenv("DISPLAY", display, 1);
        }
        if (!file.empty()) {
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::setenv("LD_PRELOAD", ZONORA_WINDOW_REPORT, 1);
            const char* asan = std::getenv("ASAN_OPTIONS");  // the report comes before its runtime
            const std::string options = std::string(asan ? asan : "") + ":verify_asan_link_order=0";
            ::setenv("ASAN_OPTIONS", options.c_str(), 1);
        }
        ::dup2(::open(folder.file("stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600),
               STDOUT_FILENO);
        ::dup2(::open(folder.file("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600),
               STDERR_FILENO);
        ::execl(ZONORA_PROGRAM, ZONORA_PROGRAM, file.empty() ? nullptr : file.c_str(),
                static_cast<char*>(nullptr));
        return 127;
    });
}

// Without a display, or with one that cannot be reached, the program says so
// in one line and fails, instead of the toolkit's abort.
TEST(ProgramStart, WithoutADisplayOneLineAndAFailingStatus) {
    for (const char* display : {static_cast<const char*>(nullptr), ":93"}) {
        TempFolder folder;
        const ChildEnd end = startProgram(display, folder);
        EXPECT_TRUE(end.exited) << describe(end);
        EXPECT_EQ(end.exitCode, kNoDisplayStatus);
        const std::string text = readText(folder.file("stderr"));
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.find('\n'), text.size() - 1) << text;
        EXPECT_EQ(text.rfind("zonora: ", 0), 0u) << text;
    }
}

// Named at start, a file is in its field, the other field proposed beside it;
// one that cannot be read is taken for a PDB, which the conversion checks.
TEST(ProgramStart, AFileNamedAtStartIsInItsField) {
    TempFolder folder;
    writeText(folder.file("notes.txt"), "Druma zones.PDB convert on 4/12/2002 2:00:33 PM\r\n");
    const std::string notes = folder.file("notes.txt");
    const std::string gone = folder.file("gone.txt");
    const std::pair<std::string, std::string> rows[] = {
        {notes, "1 0\n" + notes + "\n" + folder.file("notes.PDB") + "\n"},
        {gone, "0 1\n" + folder.file("gone.MAP") + "\n" + gone + "\n"},
    };
    for (const auto& [file, window] : rows) {
        const ChildEnd end = startProgram(nullptr, folder, file);
        EXPECT_TRUE(end.succeeded()) << describe(end) << readText(folder.file("stderr"));
        EXPECT_EQ(readText(folder.file("stdout")), window);
    }
}

}  // namespace
}  // namespace zonora::test
