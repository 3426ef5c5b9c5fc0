#pragma once

#include <string>
#include <vector>

#include "platform/install_tool.h"
#include "platform/posix/unix_template_locator.h"  // winePrefixFromEnvironment

namespace zonora {

// On a Unix-like system HotSync runs inside a Wine prefix. Where that prefix
// holds drive_c/palm/instapp.exe (in any case), the new database is handed to
// it as on Windows: its path in Windows form (from winepath) goes after
// "C:\palm\instapp.exe " on the tool's command line, which cmd.exe hands over
// unquoted. The tool is started through wine with WINEPREFIX set and is
// neither waited for nor left behind as a zombie.
//
// A path that cmd.exe cannot pass on unchanged (a run of blanks, a blank at
// either end, a tab, a quote, a percent sign) goes to the tool through wine
// directly instead, which quotes the program and, when it has blanks, the path.
class WineInstallTool : public InstallTool {
  public:
    // wine: the program, looked up in PATH unless it names a path.
    explicit WineInstallTool(std::string prefix, std::string wine = "wine")
        : prefix_(std::move(prefix)), wine_(std::move(wine)) {}
    // False without the tool or without wine. A start that fails throws a
    // FileError that names the tool.
    bool handOff(const std::string& pdbPath) override;

  private:
    std::string prefix_;
    std::string wine_;
};

// The words after the program that make cmd.exe give the tool exactly
// "C:\palm\instapp.exe " + windowsPath; empty when it cannot.
std::vector<std::string> cmdWordsFor(const std::string& windowsPath);

}  // namespace zonora
