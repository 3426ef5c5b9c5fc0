#pragma once

#include <string>
#include <vector>

#include "platform/install_tool.h"
#include "platform/posix/posix_process_starter.h"

namespace zonora {

// On a Unix-like system HotSync runs inside a Wine prefix. Where that prefix
// holds the Install Tool at its Windows place (in any case), the new database
// is handed to it as on Windows: its path in Windows form (from winepath)
// goes after "C:\palm\instapp.exe " on the tool's command line, which cmd.exe
// hands over unquoted. The tool is started through wine with WINEPREFIX set.
//
// A path that cmd.exe cannot pass on unchanged (a run of blanks, a blank at
// either end, a tab, a quote, a percent sign) goes to the tool through wine
// directly instead, which quotes the program and, when it has blanks, the path.
class WineInstallTool : public InstallTool {
  public:
    // wine: the program, looked up in PATH unless it names a path.
    WineInstallTool(PosixProcessStarter& starter, std::string prefix, std::string wine = "wine")
        : starter_(starter), prefix_(std::move(prefix)), wine_(std::move(wine)) {}
    // False without the tool or without wine. Where wine cannot run winepath
    // it throws a RuntimeError (Path/File access error) that says Wine could
    // not start the tool and gives Wine's reason. A hand-off that fails
    // otherwise (winepath gives no path, or the start fails) throws a
    // FileError that names the tool.
    bool handOff(const std::string& pdbPath) override;

  private:
    PosixProcessStarter& starter_;
    std::string prefix_;
    std::string wine_;
};

// The words after the program that make cmd.exe give the tool exactly
// "C:\palm\instapp.exe " + windowsPath; empty when it cannot.
std::vector<std::string> cmdWordsFor(const std::string& windowsPath);

}  // namespace zonora
