#pragma once

#include <memory>
#include <string>

namespace zonora {

// Starts a command line in a normal window that takes the focus, without
// waiting for it. A start that fails throws.
class ProcessStarter {
  public:
    virtual ~ProcessStarter() = default;
    virtual void start(const std::string& commandLine) = 0;
};

struct FileAttributes {
    bool exists = false;
    bool hidden = false;
    bool system = false;
};

class FileAttributeTest {
  public:
    virtual ~FileAttributeTest() = default;
    virtual FileAttributes query(const std::string& path) = 0;
};

// Hands a finished database to the handheld's desktop Install Tool.
class InstallTool {
  public:
    virtual ~InstallTool() = default;
    // False when the tool is not there; the user is then told to use it by hand.
    virtual bool handOff(const std::string& pdbPath) = 0;
};

inline constexpr const char* kInstallToolPath = "c:\\palm\\instapp.exe";
inline constexpr const char* kInstallCommand = "C:\\palm\\instapp.exe ";

// The Windows rule: a plain file at the fixed path is started with the
// database path appended, unquoted.
class WindowsInstallTool : public InstallTool {
  public:
    WindowsInstallTool(FileAttributeTest& attributes, ProcessStarter& starter)
        : attributes_(attributes), starter_(starter) {}
    bool handOff(const std::string& pdbPath) override;

  private:
    FileAttributeTest& attributes_;
    ProcessStarter& starter_;
};

// Platforms where the tool does not exist.
class AbsentInstallTool : public InstallTool {
  public:
    bool handOff(const std::string&) override { return false; }
};

}  // namespace zonora
