#include "platform/posix/wine_install_tool.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/file_error.h"
#include "platform/runtime_error.h"
#include "tests/support/temp_folder.h"

namespace zonora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(WineInstallTool, WithoutTheToolOrWithoutWineNothingIsHandedOff) {
    test::TempFolder prefix;
    fs::create_directories(prefix.path() / "drive_c" / "palm");
    // A tool named in another case is still the tool, as on Windows.
    test::writeText(prefix.file("drive_c/palm/InstApp.EXE"), "MZ");
    test::TempFolder empty;
    struct Row {
        std::string prefix;
        std::string wine;
    };
    const std::vector<Row> rows = {
        {empty.path().string(), "sh"},  // no tool, wine stands in as anything
        {"", "sh"},                     // no prefix at all
        {prefix.path().string(), "zonora-no-such-wine"},
        {prefix.path().string(), prefix.file("drive_c/palm/InstApp.EXE")},  // not runnable
    };
    PosixProcessStarter starter;
    for (const Row& row : rows) {
        WineInstallTool tool(starter, row.prefix, row.wine);
        EXPECT_FALSE(tool.handOff("/tmp/zones.pdb")) << row.prefix << " " << row.wine;
    }
}

// A tool that is there but cannot be given the file (winepath ran, but gave
// no one path) is a failed hand-off, which the user is told of, not a missing
// tool, which only earns a reminder.
TEST(WineInstallTool, WinepathThatGivesNoPathIsAFailedHandOff) {
    struct NoPath : PosixProcessStarter {
        std::optional<std::string> outputOf(const ProgramCall&, std::chrono::milliseconds,
                                            std::string&) override {
            return output;
        }
        void startDetached(const ProgramCall&, const std::string&) override { ++starts; }
        std::optional<std::string> output;
        int starts = 0;
    };
    test::TempFolder prefix;
    fs::create_directories(prefix.path() / "drive_c" / "palm");
    test::writeText(prefix.file("drive_c/palm/instapp.exe"), "MZ");
    for (const auto& output :
         {std::optional<std::string>("\n"), std::optional<std::string>("Z:\\a\nZ:\\b\n")}) {
        NoPath starter;
        starter.output = output;
        WineInstallTool tool(starter, prefix.path().string(), "sh");
        try {
            tool.handOff("/tmp/zones.pdb");
            ADD_FAILURE() << "handed off without a Windows path";
        } catch (const FileError& error) {
            EXPECT_EQ(error.path, prefix.file("drive_c/palm/instapp.exe"));
        }
        EXPECT_EQ(starter.starts, 0);
    }
}

// A wine that cannot start anything, as where the kernel refuses its 32-bit
// loader: the report blames Wine, in Wine's own words, not the tool's file.
TEST(WineInstallTool, AWineThatCannotStartIsReportedWithItsReason) {
    test::TempFolder prefix;
    fs::create_directories(prefix.path() / "drive_c" / "palm");
    const std::string instapp = prefix.file("drive_c/palm/instapp.exe");
    test::writeText(instapp, "MZ");
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"echo 'wine: starting' >&2\necho 'exec: /usr/lib/wine/wine: Exec format error' >&2\n"
         "echo >&2\nexit 126",
         "exec: /usr/lib/wine/wine: Exec format error"},
        {"echo 'Z:\\tmp\\zones.pdb'\nexit 3", "ended with status 3"},
    };
    for (const auto& [script, reason] : rows) {
        const std::string wine = prefix.file("wine");
        test::writeText(wine, "#!/bin/sh\n" + script + "\n");
        fs::permissions(wine, fs::perms::owner_all);
        PosixProcessStarter starter;
        WineInstallTool tool(starter, prefix.path().string(), wine);
        try {
            tool.handOff("/tmp/zones.pdb");
            ADD_FAILURE() << "handed off through a wine that cannot start: " << reason;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number, errors::kPathFileAccess);
            EXPECT_EQ(error.description,
                      "Wine could not start the Install Tool " + instapp + ": " + reason);
        }
    }
}

// The real starter and a stand-in wine, found through the empty entry of
// PATH that is the current folder: it answers as winepath, then runs as the
// tool and records the signals it ignores, which the program's are not.
TEST(WineInstallTool, AStandInWineHandsOffOnlyWhenEveryStepWorks) {
    test::TempFolder prefix;
    fs::create_directories(prefix.path() / "drive_c" / "palm");
    test::writeText(prefix.file("drive_c/palm/instapp.exe"), "MZ");
    const std::vector<std::pair<std::string, bool>> rows = {
        {"echo 'Z:\\z.pdb'", true},
        {"echo 'Z:\\z.pdb'; rm \"$0\"", false},  // the tool cannot be started at all
    };
    const fs::path folder = fs::current_path();
    const std::string path = std::getenv("PATH");
    fs::current_path(prefix.path());
    ::setenv("PATH", ":/usr/bin:/bin", 1);
    std::signal(SIGPIPE, SIG_IGN);
    for (const auto& [winepath, handedOff] : rows) {
        test::writeText(prefix.file("stand-in-wine"),
                        "#!/bin/sh\nif [ \"$1\" = winepath.exe ]; then " + winepath +
                            "; exit; fi\ngrep SigIgn /proc/$$/status >" + prefix.file("ignored") +
                            "\n");
        fs::permissions(prefix.file("stand-in-wine"), fs::perms::owner_all);
        PosixProcessStarter starter;
        WineInstallTool tool(starter, prefix.path().string(), "stand-in-wine");
        bool failed = false;
        try {
            EXPECT_EQ(tool.handOff("/tmp/zones.pdb"), handedOff) << winepath;
        } catch (const FileError&) {
            failed = true;
        }
        EXPECT_EQ(failed, !handedOff) << winepath;
        std::string ignored;  // the tool's record, once it has run
        for (int tick = 0; handedOff && tick < 100 && !ignored.ends_with('\n'); ++tick) {
            std::this_thread::sleep_for(100ms);
            if (fs::exists(prefix.file("ignored")))
                ignored = test::readText(prefix.file("ignored"));
        }
        if (!handedOff) continue;
        const bool recorded = ignored.starts_with("SigIgn:");
        EXPECT_TRUE(recorded &&
                    (std::stoull(ignored.substr(7), nullptr, 16) >> (SIGPIPE - 1) & 1) == 0)
            << ignored;
    }
    std::signal(SIGPIPE, SIG_DFL);
    ::setenv("PATH", path.c_str(), 1);
    fs::current_path(folder);
}

TEST(WineInstallTool, CmdGetsThePathInWordsWithItsOwnSignsEscaped) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> rows = {
        {"Z:\\tmp\\zones.pdb", {"Z:\\tmp\\zones.pdb"}},
        {"Z:\\my files\\new zones.pdb", {"Z:\\my", "files\\new", "zones.pdb"}},
        {"Z:\\a&b\\x^y (1).pdb", {"Z:\\a^&b\\x^^y", "(1).pdb"}},
        {"Z:\\a  b.pdb", {}},
        {"Z:\\a\\ b.pdb", {"Z:\\a\\", "b.pdb"}},
        {"Z:\\100%\\x.pdb", {}},
        {"Z:\\x.pdb ", {}},
        {"", {}},
    };
    for (const auto& [path, words] : rows) EXPECT_EQ(cmdWordsFor(path), words) << path;
}

// The real hand-off: the project's stand-in tool in a throwaway prefix,
// started through the real wine.
class WineHandOff : public testing::Test {
  protected:
    void SetUp() override {
        const char* fake = std::getenv("ZONORA_FAKE_INSTAPP");
        const char* prefix = std::getenv("WINEPREFIX");
        if (fake == nullptr || prefix == nullptr) {
            GTEST_SKIP() << "needs ZONORA_FAKE_INSTAPP (the cross-built stand-in) and WINEPREFIX";
        }
        prefix_ = prefix;
        palm_ = fs::path(prefix_) / "drive_c" / "palm";
        if (fs::exists(palm_ / "instapp.exe")) GTEST_SKIP() << "an Install Tool is installed here";
        madeFolder_ = fs::create_directories(palm_);
        fs::copy_file(fake, palm_ / "instapp.exe");
        copied_ = true;
    }

    void TearDown() override {
        if (!copied_) return;
        release();  // a tool still waiting ends now
        std::error_code ignored;
        for (const char* name : {"instapp.exe", "instapp.release", "instapp.record"}) {
            fs::remove(palm_ / name, ignored);
        }
        if (madeFolder_) fs::remove(palm_, ignored);
    }

    void release() const { test::writeText((palm_ / "instapp.release").string(), "go"); }

    // The command line the tool recorded, once it has; nothing within a minute.
    std::optional<std::string> record() const {
        const fs::path path = palm_ / "instapp.record";
        for (int tick = 0; tick < 600 && !fs::exists(path); ++tick)
            std::this_thread::sleep_for(100ms);
        if (!fs::exists(path)) return std::nullopt;
        std::string text = test::readText(path.string());
        fs::remove(path);
        fs::remove(palm_ / "instapp.release");
        return text;
    }

    static std::string windowsForm(std::string path) {
        std::replace(path.begin(), path.end(), '/', '\\');
        return "Z:" + path;
    }

    PosixProcessStarter starter_;
    std::string prefix_;
    fs::path palm_;
    test::TempFolder folder;

  private:
    bool madeFolder_ = false;
    bool copied_ = false;
};

TEST_F(WineHandOff, TheToolGetsTheWindowsPathUnquotedAndIsNotWaitedFor) {
    struct Row {
        std::string folder;
        bool exact;  // else wine's own quoting
    };
    const std::vector<Row> rows = {
        {"my zones", true},
        {"a&b ^c (1)", true},
        {"two  blanks", false},
    };
    for (const Row& row : rows) {
        fs::create_directory(folder.path() / row.folder);
        const std::string pdb = folder.file(row.folder + "/new zones.pdb");
        test::writeText(pdb, "pdb");
        WineInstallTool tool(starter_, prefix_);

        ASSERT_TRUE(tool.handOff(pdb)) << row.folder;
        // Nothing is recorded before the release, and no child is left to reap.
        EXPECT_FALSE(fs::exists(palm_ / "instapp.record"));
        EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
        EXPECT_EQ(errno, ECHILD);
        release();
        const auto line = record();
        ASSERT_TRUE(line) << "the tool did not run for " << row.folder;
        const std::string windows = windowsForm(pdb);
        EXPECT_EQ(*line, row.exact ? "C:\\palm\\instapp.exe " + windows
                                   : "\"C:\\palm\\instapp.exe\" \"" + windows + "\"");
    }
}

}  // namespace
}  // namespace zonora
