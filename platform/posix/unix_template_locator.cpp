#include "platform/posix/unix_template_locator.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/environment.h"
#include "platform/windows_paths.h"

namespace zonora {
namespace fs = std::filesystem;
namespace {

// Each word capitalised, as Windows names its program folders in a prefix.
std::string asWindowsNamesIt(std::string name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (i == 0 || name[i - 1] == ' ') {
            name[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
        }
    }
    return name;
}

// The template in the Wine prefix's program folders: the one of the Windows
// path, and the one 32-bit programs use in a 64-bit prefix.
std::vector<std::vector<std::string>> wineTemplates() {
    std::vector<std::string> parts = partsInWinePrefix(kWindowsTemplatePath);
    std::vector<std::string> x86 = parts;
    parts[1] = asWindowsNamesIt(parts[1]);
    x86[1] = asWindowsNamesIt(programFolderX86Name());
    return {parts, x86};
}

bool isFile(const fs::path& path) {
    std::error_code ignored;
    return fs::is_regular_file(path, ignored);
}

}  // namespace

UnixDataFolders unixDataFoldersFromEnvironment() {
    UnixDataFolders folders;
    const std::string home = environmentVariable("HOME");
    folders.dataHome = environmentVariable("XDG_DATA_HOME");
    if (folders.dataHome.empty() && !home.empty()) folders.dataHome = home + "/.local/share";
    std::string dirs = environmentVariable("XDG_DATA_DIRS");
    if (dirs.empty()) dirs = "/usr/local/share:/usr/share";
    for (std::size_t start = 0; start <= dirs.size();) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        if (end > start) folders.dataDirs.push_back(dirs.substr(start, end - start));
        start = end + 1;
    }
    folders.winePrefix = winePrefixFromEnvironment();
    return folders;
}

std::vector<std::string> UnixTemplateLocator::places() {
    std::vector<std::string> result;
    const auto add = [&](const std::string& root, const std::vector<std::string>& parts) {
        if (root.empty()) return;
        fs::path path(root);
        for (const std::string& part : parts) path /= part;
        result.push_back(path.string());
    };
    add(folders_.dataHome, templateBelowProgramFolder());
    for (const std::string& dir : folders_.dataDirs) add(dir, templateBelowProgramFolder());
    for (const auto& parts : wineTemplates()) add(folders_.winePrefix, parts);
    return result;
}

std::optional<std::string> UnixTemplateLocator::find() {
    std::vector<std::string> roots;
    if (!folders_.dataHome.empty()) roots.push_back(folders_.dataHome);
    roots.insert(roots.end(), folders_.dataDirs.begin(), folders_.dataDirs.end());
    for (const std::string& root : roots) {
        fs::path path(root);
        for (const std::string& part : templateBelowProgramFolder()) path /= part;
        if (isFile(path)) return path.string();
    }
    if (folders_.winePrefix.empty()) return std::nullopt;
    for (const auto& parts : wineTemplates()) {
        if (auto found = findIgnoringCase(folders_.winePrefix, parts)) return found;
    }
    return std::nullopt;
}

}  // namespace zonora
