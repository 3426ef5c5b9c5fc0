#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <utility>

#include "convert/error_table.h"
#include "platform/temporary_name.h"
#include "platform/win32/win32_device_path.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_file_attributes.h"
#include "platform/win32/win32_text.h"
#include "tests/support/file_system_fixture.h"
#include "tests/support/temp_folder.h"

namespace zonora {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::readText;
using test::writeBytes;
using test::writeText;

// The runtime error an action ends in, as the conversion frame reports it; 0
// when it succeeds.
RuntimeError outcomeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (...) {
        return toRuntimeError(std::current_exception());
    }
    return RuntimeError(0);
}

void setAttributes(const std::string& path, DWORD attributes) {
    ASSERT_TRUE(::SetFileAttributesW(widen(path).c_str(), attributes)) << path;
}

// A drive no volume is mounted as here, "Q:" where it is free.
std::string missingDrive() {
    const DWORD drives = ::GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter) {
        if (!(drives & (DWORD{1} << (letter - 'A')))) return {letter, ':'};
    }
    return "";
}

// One character past the longest name most volumes take.
const std::string kOverlongName = std::string(252, 'n') + ".map";

// Held open by "another program" that shares nothing.
HANDLE holdWithoutSharing(const std::string& path) {
    return ::CreateFileW(widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

using Win32Files = test::NativeFilesTest;

TEST_F(Win32Files, CommitPutsTheNewFileInPlaceAndKeepsTheOldOnesMarks) {
    replaceWith(path("new.pdb"), "fresh");
    EXPECT_EQ(readText(path("new.pdb")), "fresh");

    writeText(path("old.pdb"), std::string(10000, 'x'));
    setAttributes(path("old.pdb"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    replaceWith(path("old.pdb"), "short");
    EXPECT_EQ(readText(path("old.pdb")), "short");
    const FileAttributes marks = Win32FileAttributes().query(path("old.pdb"));
    EXPECT_TRUE(marks.hidden);
    EXPECT_TRUE(marks.system);
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"new.pdb", "old.pdb"}));
}

TEST_F(Win32Files, RefusedDestinationsKeepTheOldFileAndLeaveNoTemporary) {
    const std::vector<std::uint8_t> original = {0, 1, 2, 0xFF, 'p', 'd', 'b'};
    writeBytes(path("old.pdb"), original);
    fs::create_directory(folder.path() / "sub");
    const std::string drive = missingDrive();
    ASSERT_FALSE(drive.empty());
    struct Row {
        std::string target;
        int number;
        DWORD attributes = 0;  // given to old.pdb for the row
        bool hold = false;     // old.pdb held open without sharing
    };
    const std::vector<Row> rows = {
        {path("old.pdb"), 70, FILE_ATTRIBUTE_READONLY},
        {path("old.pdb"), 70, 0, true},
        {path("none\\x.pdb"), 76},
        {drive + "\\zones.MAP", 76},
        {path("sub"), 75},
        {path("bad?name.pdb"), 52},
        {path(std::string(300, 'n') + ".pdb"), 52},
        {"\\\\?\\" + path(kOverlongName), 52},  // past the name limit, within no path limit
        {"CON", 75},
        {"con.pdb", 75},
        {"NuL", 75},
        {"PRN", 75},
        {"aux.map", 75},
        {"COM1", 75},
        {"com9.pdb", 75},
        {"LPT1", 75},
        {"lpt9.txt", 75},
        {"CONOUT$", 75},
        {path("nul.pdb"), 75},
        {path("sub\\Com3 .map"), 75},
        {"\\\\.\\NUL", 75},
        {"//./nul", 75},
        {"\\\\.\\" + path("old.pdb"), 75},
        {"\\\\?\\GLOBALROOT\\Device\\Null", 75},
    };
    for (const Row& row : rows) {
        if (row.attributes != 0) setAttributes(path("old.pdb"), row.attributes);
        const HANDLE held = row.hold ? holdWithoutSharing(path("old.pdb")) : INVALID_HANDLE_VALUE;
        ASSERT_EQ(row.hold, held != INVALID_HANDLE_VALUE);

        const RuntimeError error = outcomeOf([&] {
            auto out = files.replace(row.target);
            out->write(asBytes("new"));
            out->commit();
        });
        EXPECT_EQ(error.number, row.number) << row.target;
        EXPECT_NE(error.description.find(row.target), std::string::npos) << error.description;

        if (held != INVALID_HANDLE_VALUE) ::CloseHandle(held);
        setAttributes(path("old.pdb"), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(readBytes(path("old.pdb")), original) << row.target;
        EXPECT_EQ(folder.entries(), (std::vector<std::string>{"old.pdb", "sub"})) << row.target;
    }
}

TEST_F(Win32Files, ACommitThatCannotReplaceKeepsTheOldFile) {
    // What another program does to the target while its replacement is written.
    HANDLE held = INVALID_HANDLE_VALUE;
    const std::vector<std::pair<std::string, std::function<void()>>> rows = {
        {"held without sharing", [&] { held = holdWithoutSharing(path("old.pdb")); }},
        {"made read-only", [&] { setAttributes(path("old.pdb"), FILE_ATTRIBUTE_READONLY); }},
    };
    for (const auto& [change, make] : rows) {
        writeText(path("old.pdb"), "old");
        auto out = files.replace(path("old.pdb"));
        out->write(asBytes("new"));
        make();
        EXPECT_EQ(outcomeOf([&] { out->commit(); }).number, 70) << change;
        if (held != INVALID_HANDLE_VALUE) ::CloseHandle(std::exchange(held, INVALID_HANDLE_VALUE));
        setAttributes(path("old.pdb"), FILE_ATTRIBUTE_NORMAL);
        // Gone at once, not only when the failed file is dropped.
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"old.pdb"}) << change;
        out.reset();
        EXPECT_EQ(readText(path("old.pdb")), "old") << change;
    }
    replaceWith(path("old.pdb"), "new");
    EXPECT_EQ(readText(path("old.pdb")), "new");
}

TEST_F(Win32Files, RefusedSources) {
    fs::create_directory(folder.path() / "sub");
    writeText(path("held.map"), "x");
    const HANDLE held = holdWithoutSharing(path("held.map"));
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string drive = missingDrive();
    ASSERT_FALSE(drive.empty());
    const std::vector<std::pair<std::string, int>> rows = {
        {path("none.map"), 53},
        {path("none\\x.map"), 76},
        {drive + "\\zones.pdb", 76},
        {"\\\\?\\" + path(kOverlongName), 52},
        {"", 53},
        {path("sub"), 75},
        {path("held.map"), 70},
        {"CON", 75},
        {"nul", 75},
        {"aux.pdb", 75},
        {path("com1.map"), 75},
        {"\\\\.\\COM1", 75},
        {"\\\\.\\pipe\\zonora", 75},
        {"Z:\\dev\\null", 75},  // a device under a file's name: Wine's Z: is the Unix root
    };
    for (const auto& [source, number] : rows) {
        EXPECT_EQ(outcomeOf([&] { files.openRead(source); }).number, number) << source;
    }
    ::CloseHandle(held);
}

TEST(Win32Errors, WindowsCodesGetTheRuntimeNumbersAndNameTheFile) {
    const std::string file = "C:\\data\\zones.pdb";
    const std::vector<std::pair<DWORD, int>> rows = {
        {ERROR_FILE_NOT_FOUND, 53},
        {ERROR_PATH_NOT_FOUND, 76},
        {ERROR_INVALID_DRIVE, 76},
        {ERROR_ACCESS_DENIED, 70},
        {ERROR_SHARING_VIOLATION, 70},
        {ERROR_LOCK_VIOLATION, 70},
        {ERROR_WRITE_PROTECT, 70},
        {ERROR_UNABLE_TO_REMOVE_REPLACED, 70},
        {ERROR_DISK_FULL, 61},
        {ERROR_HANDLE_DISK_FULL, 61},
        {ERROR_TOO_MANY_OPEN_FILES, 67},
        {ERROR_INVALID_NAME, 52},
        {ERROR_FILENAME_EXCED_RANGE, 52},
        {ERROR_FILE_EXISTS, 58},
        {ERROR_CRC, 57},
        {ERROR_INVALID_FUNCTION, 75},
        {ERROR_NOT_SUPPORTED, 75},
    };
    for (const auto& [code, number] : rows) {
        const RuntimeError error = outcomeOf([&] { throwWin32Error(code, file); });
        EXPECT_EQ(error.number, number) << code;
        EXPECT_EQ(error.description, describeError(number) + ": " + file) << code;
        EXPECT_FALSE(win32Error(code).message().empty()) << code;
    }
}

TEST(Win32Errors, DevicePathsAreToldFromFiles) {
    const std::vector<std::pair<std::string, bool>> rows = {
        {"nul", true},
        {"Nul.tar.gz", true},
        {"C:NUL", true},
        {"C:\\dir\\AUX .txt", true},
        {"C:/dir/lpt3", true},
        {"CONIN$", true},
        {"COM\xC2\xB9", true},
        {"\\\\.\\C:\\dir\\a.pdb", true},
        {"\\\\?\\pipe\\x", true},
        {"C:\\data\\console.pdb", false},
        {"C:\\con\\a.pdb", false},
        {"COM10", false},
        {"LPT0", false},
        {"nul\\a.pdb", false},
        {"\\\\?\\C:\\dir\\nul", false},
        {"\\\\?\\UNC\\server\\share\\a.pdb", false},
        {"\\\\server\\share\\a.pdb", false},
        {"", false},
    };
    for (const auto& [path, device] : rows) EXPECT_EQ(isDevicePath(path), device) << path;
}

TEST_F(Win32Files, TellsFilesApartByVolumeAndIndex) {
    writeText(path("a"), "a");
    writeText(path("b"), "a");
    fs::create_directory(folder.path() / "sub");
    ASSERT_TRUE(::CreateHardLinkW(widen(path("link")).c_str(), widen(path("a")).c_str(), nullptr));
    EXPECT_TRUE(files.exists(path("a")));
    EXPECT_FALSE(files.exists(path("sub")));
    EXPECT_FALSE(files.exists(path("none")));
    EXPECT_FALSE(files.exists("NUL"));
    EXPECT_TRUE(files.sameFile(path("a"), path("link")));
    EXPECT_TRUE(files.sameFile(path("a"), path("sub\\..\\A")));
    EXPECT_FALSE(files.sameFile(path("a"), path("b")));
    EXPECT_FALSE(files.sameFile(path("none"), path("none")));
    EXPECT_FALSE(files.sameFile("NUL", "nul"));
}

TEST_F(Win32Files, AttributesTellFilesFoldersAndMarks) {
    writeText(path("plain"), "x");
    writeText(path("hidden"), "x");
    writeText(path("system"), "x");
    fs::create_directory(folder.path() / "sub");
    setAttributes(path("hidden"), FILE_ATTRIBUTE_HIDDEN);
    setAttributes(path("system"), FILE_ATTRIBUTE_SYSTEM);
    struct Row {
        std::string path;
        bool exists, hidden, system;
    };
    const std::vector<Row> rows = {
        {path("plain"), true, false, false}, {path("hidden"), true, true, false},
        {path("system"), true, false, true}, {path("sub"), false, false, false},
        {path("none"), false, false, false}, {"", false, false, false},
    };
    Win32FileAttributes attributes;
    for (const Row& row : rows) {
        const FileAttributes got = attributes.query(row.path);
        EXPECT_EQ(got.exists, row.exists) << row.path;
        EXPECT_EQ(got.hidden, row.hidden) << row.path;
        EXPECT_EQ(got.system, row.system) << row.path;
    }
}

}  // namespace
}  // namespace zonora
