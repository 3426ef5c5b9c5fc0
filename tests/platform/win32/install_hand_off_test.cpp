// The Install Tool hand-off on the real system: a stand-in tool at the fixed
// place, started through the real attribute test and process starter.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/file_error.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_file_attributes.h"
#include "platform/win32/win32_process_starter.h"
#include "platform/win32/win32_text.h"
#include "platform/windows_install_tool.h"
#include "tests/support/temp_folder.h"

namespace zonora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::wstring kPalm = L"C:\\palm";
const std::wstring kTool = kPalm + L"\\instapp.exe";
const std::wstring kRelease = kPalm + L"\\instapp.release";
const std::wstring kRecord = kPalm + L"\\instapp.record";

bool present(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring besideThisProgram(const std::wstring& name) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

// Waits up to limit for a file, looking every tenth of a second.
bool appears(const std::wstring& path, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!present(path)) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(100ms);
    }
    return true;
}

class InstallHandOff : public testing::Test {
  protected:
    void SetUp() override {
        if (present(kTool)) GTEST_SKIP() << "an Install Tool is installed here";
        madeFolder_ = ::CreateDirectoryW(kPalm.c_str(), nullptr) != 0;
        ASSERT_TRUE(madeFolder_ || ::GetLastError() == ERROR_ALREADY_EXISTS);
        ASSERT_TRUE(
            ::CopyFileW(besideThisProgram(L"fake_instapp.exe").c_str(), kTool.c_str(), TRUE));
        copied_ = true;
    }

    void TearDown() override {
        if (!copied_) return;
        // A started tool is let go, and the folder is left as it was found;
        // the tool's file can be removed once it has ended.
        writeRelease();
        for (int tries = 0; tries < 100 && present(kTool); ++tries) {
            ::DeleteFileW(kTool.c_str());
            if (present(kTool)) std::this_thread::sleep_for(100ms);
        }
        EXPECT_FALSE(present(kTool));
        ::DeleteFileW(kRelease.c_str());
        ::DeleteFileW(kRecord.c_str());
        ::DeleteFileW((kRecord + L".part").c_str());
        if (madeFolder_) {
            EXPECT_TRUE(::RemoveDirectoryW(kPalm.c_str()));
        }
    }

    static void writeRelease() { test::writeText(narrow(kRelease), "go"); }

    test::TempFolder folder;
    Win32FileAttributes attributes;
    Win32ProcessStarter starter;
    WindowsInstallTool tool{attributes, starter};

  private:
    bool madeFolder_ = false;
    bool copied_ = false;
};

TEST_F(InstallHandOff, StartsTheToolWithTheUnquotedPathAndDoesNotWaitForIt) {
    fs::create_directory(folder.path() / "my zones");
    const std::string pdb = folder.file("my zones\\new zones.pdb");
    test::writeText(pdb, "pdb");

    ASSERT_TRUE(tool.handOff(pdb));
    // The tool records nothing before it is released, so an answer now means
    // the hand-off did not wait for it.
    EXPECT_FALSE(present(kRecord));
    writeRelease();
    ASSERT_TRUE(appears(kRecord, 60s)) << "the tool did not run";
    EXPECT_EQ(test::readText(narrow(kRecord)), "C:\\palm\\instapp.exe " + pdb);
}

TEST_F(InstallHandOff, AHiddenOrSystemToolIsNotStarted) {
    writeRelease();  // a tool that did start would record at once
    for (const DWORD mark : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
        ASSERT_TRUE(::SetFileAttributesW(kTool.c_str(), mark));
        EXPECT_FALSE(tool.handOff(folder.file("zones.pdb"))) << mark;
    }
    ASSERT_TRUE(::SetFileAttributesW(kTool.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(appears(kRecord, 2s));
}

// The dialogs', shell's and COM's libraries come from the system folder only:
// one of the same name beside the program is never taken.
TEST(Win32SystemLibrary, NeverFromBesideTheProgram) {
    ASSERT_TRUE(present(besideThisProgram(L"beside_the_program.dll")));
    EXPECT_EQ(systemProcedure(L"beside_the_program.dll", "besideTheProgram"), nullptr);
    EXPECT_NE(systemProcedure(L"comdlg32.dll", "GetOpenFileNameW"), nullptr);
}

TEST(Win32ProcessStarter, AMissingProgramIsAFileNotFoundThatNamesIt) {
    Win32ProcessStarter starter;
    test::TempFolder folder;
    const std::string program = folder.file("none.exe");
    try {
        starter.start(program + " C:\\a b.pdb");
        ADD_FAILURE() << "started a missing program";
    } catch (const FileError& error) {
        EXPECT_EQ(error.code, std::errc::no_such_file_or_directory);
        EXPECT_FALSE(error.folderMissing);
        EXPECT_EQ(error.path, program);
    }
    EXPECT_EQ(programOf("\"C:\\my tools\\x.exe\" a b"), "C:\\my tools\\x.exe");
    EXPECT_EQ(programOf("C:\\palm\\instapp.exe C:\\a b.pdb"), "C:\\palm\\instapp.exe");
}

}  // namespace
}  // namespace zonora
