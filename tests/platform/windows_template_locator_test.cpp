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

}  // namespace
}  // namespace zonora
