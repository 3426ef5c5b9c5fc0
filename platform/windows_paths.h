#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zonora {

// Where the handheld's desktop software keeps its files on Windows. The
// Install Tool is tested for at its path and started by the command, with the
// database's path after it, unquoted.
inline constexpr const char* kInstallToolPath = "c:\\palm\\instapp.exe";
inline constexpr const char* kInstallCommand = "C:\\palm\\instapp.exe ";
inline constexpr const char* kWindowsTemplatePath = "c:\\program files\\Druma\\Kolpa.org";

// A Windows path's parts: "c:\palm\instapp.exe" gives c:, palm, instapp.exe.
std::vector<std::string> windowsPathParts(std::string_view path);

// Where a Windows path lies inside a Wine prefix: drive_c, palm, instapp.exe.
std::vector<std::string> partsInWinePrefix(std::string_view windowsPath);

// The template below its program folder, such as Druma, Kolpa.org.
std::vector<std::string> templateBelowProgramFolder();

// The program folder 32-bit programs go in on 64-bit Windows, beside the one
// the template's path names: "program files (x86)".
std::string programFolderX86Name();

}  // namespace zonora
