#include "platform/windows_template_locator.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zonora {
namespace {

class ListedFiles : public FileAttributeTest {
  public:
    FileAttributes query(const std::string& path) override {
        return {std::find(present.begin(), present.end(), path) != present.end(), false, false};
    }
    std::vector<std::string> present;
};

TEST(WindowsTemplateLocator, TriesTheFixedPathThenThe32BitProgramFolder) {
    ListedFiles files;
    WindowsTemplateLocator locator(files, "C:\\Program Files (x86)");
    EXPECT_EQ(locator.places(),
              (std::vector<std::string>{"c:\\program files\\Druma\\Kolpa.org",
                                        "C:\\Program Files (x86)\\Druma\\Kolpa.org"}));
    EXPECT_EQ(locator.find(), std::nullopt);
    files.present = {"C:\\Program Files (x86)\\Druma\\Kolpa.org"};
    EXPECT_EQ(locator.find(), "C:\\Program Files (x86)\\Druma\\Kolpa.org");
    files.present.push_back("c:\\program files\\Druma\\Kolpa.org");
    EXPECT_EQ(locator.find(), "c:\\program files\\Druma\\Kolpa.org");
}

// The 32-bit program folder as each kind of system reports it: a folder that
// is the fixed path's own, whatever its case, is not listed a second time.
TEST(WindowsTemplateLocator, ListsEachFolderOnce) {
    const std::string fixed = "c:\\program files\\Druma\\Kolpa.org";
    struct Row {
        std::string programFilesX86;
        std::vector<std::string> places;
    };
    const std::vector<Row> rows = {
        {"C:\\Program Files (x86)", {fixed, "C:\\Program Files (x86)\\Druma\\Kolpa.org"}},
        {"C:\\Program Files", {fixed}},  // 32-bit Windows
        {"C:\\PROGRAM FILES", {fixed}},
        {"", {fixed}},
        {"D:\\Program Files", {fixed, "D:\\Program Files\\Druma\\Kolpa.org"}},
        {"C:\\Program File", {fixed, "C:\\Program File\\Druma\\Kolpa.org"}},
    };
    for (const Row& row : rows) {
        ListedFiles files;
        WindowsTemplateLocator locator(files, row.programFilesX86);
        EXPECT_EQ(locator.places(), row.places) << row.programFilesX86;
        files.present = {row.places.back()};
        EXPECT_EQ(locator.find(), row.places.back()) << row.programFilesX86;
    }
}

}  // namespace
}  // namespace zonora
