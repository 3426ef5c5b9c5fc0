#include <gtest/gtest.h>

#include <filesystem>

#include "platform/posix/unix_template_locator.h"
#include "tests/support/temp_folder.h"

namespace zonora {
namespace {

namespace fs = std::filesystem;

class TemplateLocatorTest : public testing::Test {
  protected:
    void put(const std::string& relative) {
        fs::create_directories(fs::path(folder.file(relative)).parent_path());
        test::writeText(folder.file(relative), "template");
    }
    UnixTemplateLocator locator() {
        return UnixTemplateLocator(
            {folder.file("home"), {folder.file("usr"), folder.file("sys")}, folder.file("wine")});
    }
    test::TempFolder folder;
};

TEST_F(TemplateLocatorTest, LooksInTheDataFoldersThenTheWinePrefix) {
    EXPECT_EQ(locator().find(), std::nullopt);
    const std::vector<std::string> places = locator().places();
    ASSERT_EQ(places.size(), 5u);
    EXPECT_EQ(places[0], folder.file("home/Druma/Kolpa.org"));
    EXPECT_EQ(places[3], folder.file("wine/drive_c/Program Files/Druma/Kolpa.org"));
    EXPECT_EQ(places[4], folder.file("wine/drive_c/Program Files (x86)/Druma/Kolpa.org"));

    put("wine/drive_c/program files (X86)/DRUMA/kolpa.ORG");
    EXPECT_EQ(locator().find(), folder.file("wine/drive_c/program files (X86)/DRUMA/kolpa.ORG"));
    put("wine/drive_c/PROGRAM FILES/druma/Kolpa.org");
    EXPECT_EQ(locator().find(), folder.file("wine/drive_c/PROGRAM FILES/druma/Kolpa.org"));
    put("sys/Druma/Kolpa.org");
    EXPECT_EQ(locator().find(), folder.file("sys/Druma/Kolpa.org"));
    put("home/Druma/Kolpa.org");
    EXPECT_EQ(locator().find(), folder.file("home/Druma/Kolpa.org"));
}

// A folder with the template's name is passed over, for the next place.
TEST_F(TemplateLocatorTest, DataFoldersMatchTheNameExactlyAndFoldersArePassedOver) {
    put("usr/druma/kolpa.org");                                  // not the exact name
    fs::create_directories(folder.file("sys/Druma/Kolpa.org"));  // a folder
    fs::create_directories(folder.file("wine/drive_c/Program Files/Druma/Kolpa.org"));
    EXPECT_EQ(locator().find(), std::nullopt);
    put("wine/drive_c/Program Files (x86)/Druma/Kolpa.org");
    EXPECT_EQ(locator().find(), folder.file("wine/drive_c/Program Files (x86)/Druma/Kolpa.org"));
}

// No prefix at all is no prefix: not the current folder's drive_c.
TEST_F(TemplateLocatorTest, NoWinePrefixIsNotTheCurrentFolder) {
    put("drive_c/Program Files/Druma/Kolpa.org");
    const fs::path before = fs::current_path();
    fs::current_path(folder.path());
    EXPECT_EQ(UnixTemplateLocator({"", {}, ""}).find(), std::nullopt);
    fs::current_path(before);
}

TEST(TemplateFolders, ComeFromTheEnvironmentWithTheUsualDefaults) {
    ::setenv("HOME", "/home/someone", 1);
    ::unsetenv("WINEPREFIX");
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_DATA_DIRS");
    UnixDataFolders folders = unixDataFoldersFromEnvironment();
    EXPECT_EQ(folders.dataHome, "/home/someone/.local/share");
    EXPECT_EQ(folders.dataDirs, (std::vector<std::string>{"/usr/local/share", "/usr/share"}));
    EXPECT_EQ(folders.winePrefix, "/home/someone/.wine");

    ::setenv("XDG_DATA_HOME", "/data", 1);
    ::setenv("XDG_DATA_DIRS", "/a::/b", 1);
    folders = unixDataFoldersFromEnvironment();
    EXPECT_EQ(folders.dataHome, "/data");
    EXPECT_EQ(folders.dataDirs, (std::vector<std::string>{"/a", "/b"}));

    // The same prefix the Install Tool is looked for in.
    ::setenv("WINEPREFIX", "/srv/palm-prefix", 1);
    EXPECT_EQ(unixDataFoldersFromEnvironment().winePrefix, "/srv/palm-prefix");
    ::unsetenv("WINEPREFIX");
    ::unsetenv("HOME");
    EXPECT_EQ(winePrefixFromEnvironment(), "");
}

}  // namespace
}  // namespace zonora
