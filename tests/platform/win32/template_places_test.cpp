// The template's places on the system the tests run on, through the real
// known-folder lookup and the real attribute test. They follow the system's
// bitness, not the program's: a 32-bit program on 64-bit Windows is told
// C:\Program Files (x86) as well, and reaches the 64-bit C:\Program Files
// through the fixed path, which file-system redirection leaves alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>

#include "platform/template_locator.h"
#include "platform/win32/win32_file_attributes.h"
#include "platform/win32/win32_known_folders.h"
#include "platform/windows_template_locator.h"
#include "tests/support/temp_folder.h"

namespace zonora {
namespace {

namespace fs = std::filesystem;

bool on64BitWindows() {
    if (sizeof(void*) == 8) return true;
    BOOL wow64 = FALSE;
    return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

TEST(Win32Templates, TheProgramFolderAndThePlacesFollowTheSystemsBitness) {
    const bool system64 = on64BitWindows();
    // A suite meant for one kind of system (its test preset says which) fails
    // in the other kind of Wine prefix instead of testing the other case.
    if (const char* bits = std::getenv("ZONORA_TEST_WINDOWS_BITS")) {
        ASSERT_STREQ(bits, system64 ? "64" : "32") << "the suite runs on the other kind of Windows";
    }
    const std::string fixed = kWindowsTemplatePath;
    struct Row {
        bool system64;
        std::string programs;
        std::vector<std::string> places;
    };
    const std::vector<Row> rows = {
        {false, "C:\\Program Files", {fixed}},
        {true, "C:\\Program Files (x86)", {fixed, "C:\\Program Files (x86)\\Druma\\Kolpa.org"}},
    };
    for (const Row& row : rows) {
        if (row.system64 != system64) continue;
        const std::string programs = programFilesX86Folder();
        EXPECT_EQ(programs, row.programs);
        Win32FileAttributes attributes;
        EXPECT_EQ(WindowsTemplateLocator(attributes, programs).places(), row.places);
    }
}

TEST(Win32Templates, EachPlaceAloneIsFoundWithTheRealAttributeTest) {
    Win32FileAttributes attributes;
    WindowsTemplateLocator locator(attributes, programFilesX86Folder());
    const std::vector<std::string> places = locator.places();
    const auto drumaOf = [](const std::string& place) {
        return place.substr(0, place.rfind('\\'));
    };
    for (const std::string& place : places) {
        if (fs::exists(test::fromUtf8(drumaOf(place)))) {
            GTEST_SKIP() << "the handheld's desktop software is installed here";
        }
    }
    EXPECT_EQ(locator.find(), std::nullopt);

    for (const std::string& place : places) {
        fs::create_directories(test::fromUtf8(place));  // a folder of that name is no template
        EXPECT_EQ(locator.find(), std::nullopt) << place;
        fs::remove(test::fromUtf8(place));
        test::writeText(place, "template");
        const auto found = locator.find();
        // The other places do not see it: each is a folder of its own.
        std::vector<std::string> alsoSeenAt;
        for (const std::string& other : places) {
            if (other != place && attributes.query(other).exists) alsoSeenAt.push_back(other);
        }
        fs::remove_all(test::fromUtf8(drumaOf(place)));
        EXPECT_EQ(found, place);
        EXPECT_EQ(alsoSeenAt, std::vector<std::string>{}) << place;
    }
}

}  // namespace
}  // namespace zonora
