#include <gtest/gtest.h>

#include "platform/runtime_error.h"
#include "platform/windows_install_tool.h"

namespace zonora {
namespace {

class FakeAttributes : public FileAttributeTest {
  public:
    FileAttributes query(const std::string& path) override {
        asked.push_back(path);
        return attributes;
    }
    FileAttributes attributes;
    std::vector<std::string> asked;
};

class FakeStarter : public ProcessStarter {
  public:
    void start(const std::string& commandLine) override {
        if (fail) throw RuntimeError(53, "File not found");
        started.push_back(commandLine);
    }
    bool fail = false;
    std::vector<std::string> started;
};

TEST(WindowsInstallTool, StartsAPlainToolWithTheUnquotedPath) {
    FakeAttributes attributes;
    FakeStarter starter;
    WindowsInstallTool tool(attributes, starter);
    attributes.attributes = {true, false, false};
    EXPECT_TRUE(tool.handOff("C:\\my files\\zones.pdb"));
    EXPECT_EQ(attributes.asked, std::vector<std::string>{"c:\\palm\\instapp.exe"});
    EXPECT_EQ(starter.started,
              std::vector<std::string>{"C:\\palm\\instapp.exe C:\\my files\\zones.pdb"});
}

TEST(WindowsInstallTool, AMissingHiddenOrSystemToolIsNotThere) {
    FakeAttributes attributes;
    FakeStarter starter;
    WindowsInstallTool tool(attributes, starter);
    for (const FileAttributes a :
         {FileAttributes{false, false, false}, FileAttributes{true, true, false},
          FileAttributes{true, false, true}}) {
        attributes.attributes = a;
        EXPECT_FALSE(tool.handOff("zones.pdb"));
    }
    EXPECT_TRUE(starter.started.empty());
}

TEST(WindowsInstallTool, AFailedStartIsAnError) {
    FakeAttributes attributes;
    FakeStarter starter;
    starter.fail = true;
    attributes.attributes = {true, false, false};
    WindowsInstallTool tool(attributes, starter);
    EXPECT_THROW(tool.handOff("zones.pdb"), RuntimeError);
}

TEST(AbsentInstallTool, IsNeverThere) {
    AbsentInstallTool tool;
    EXPECT_FALSE(tool.handOff("zones.pdb"));
}

}  // namespace
}  // namespace zonora
