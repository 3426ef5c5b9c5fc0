#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/install_tool.h"

namespace zonora {

inline constexpr const char* kWindowsTemplatePath = "c:\\program files\\Druma\\Kolpa.org";

// Where the handheld application's desktop software keeps the template
// database. The places are tried in order; the first file found is used.
class TemplateLocator {
  public:
    virtual ~TemplateLocator() = default;
    virtual std::vector<std::string> places() = 0;
    virtual std::optional<std::string> find() = 0;
};

// Windows: the fixed path, then the same folder under the 32-bit program
// folder, where a 32-bit installer puts it on 64-bit Windows.
class WindowsTemplateLocator : public TemplateLocator {
  public:
    WindowsTemplateLocator(FileAttributeTest& files, std::string programFilesX86)
        : files_(files), programFilesX86_(std::move(programFilesX86)) {}
    std::vector<std::string> places() override;
    std::optional<std::string> find() override;

  private:
    FileAttributeTest& files_;
    std::string programFilesX86_;  // such as C:\Program Files (x86)
};

// Folders that a Unix-like system looks in, given rather than read from the
// environment so that tests can point them anywhere.
struct UnixDataFolders {
    std::string dataHome;               // such as ~/.local/share
    std::vector<std::string> dataDirs;  // such as /usr/local/share, /usr/share
    std::string winePrefix;             // such as ~/.wine
};

UnixDataFolders unixDataFoldersFromEnvironment();

class UnixTemplateLocator : public TemplateLocator {
  public:
    explicit UnixTemplateLocator(UnixDataFolders folders) : folders_(std::move(folders)) {}
    std::vector<std::string> places() override;
    std::optional<std::string> find() override;

  private:
    UnixDataFolders folders_;
};

// Finds a path below root whose components match relative ones ignoring case,
// as Windows does for the files a Wine prefix holds.
std::optional<std::string> findIgnoringCase(const std::string& root,
                                            const std::vector<std::string>& components);

}  // namespace zonora
