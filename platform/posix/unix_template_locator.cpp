#include "platform/posix/unix_template_locator.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

namespace zonora {
namespace fs = std::filesystem;
namespace {

const std::vector<std::string> kDrumaTemplate = {"Druma", "Kolpa.org"};
const std::vector<std::string> kWineFolders = {"Program Files", "Program Files (x86)"};

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

bool isFile(const fs::path& path) {
    std::error_code ignored;
    return fs::is_regular_file(path, ignored);
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::vector<std::string> wineParts(const std::string& programFiles) {
    return {"drive_c", programFiles, kDrumaTemplate[0], kDrumaTemplate[1]};
}

}  // namespace

std::string winePrefixFromEnvironment() {
    if (std::string prefix = environment("WINEPREFIX"); !prefix.empty()) return prefix;
    const std::string home = environment("HOME");
    return home.empty() ? std::string() : home + "/.wine";
}

UnixDataFolders unixDataFoldersFromEnvironment() {
    UnixDataFolders folders;
    const std::string home = environment("HOME");
    folders.dataHome = environment("XDG_DATA_HOME");
    if (folders.dataHome.empty() && !home.empty()) folders.dataHome = home + "/.local/share";
    std::string dirs = environment("XDG_DATA_DIRS");
    if (dirs.empty()) dirs = "/usr/local/share:/usr/share";
    for (std::size_t start = 0; start <= dirs.size();) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        if (end > start) folders.dataDirs.push_back(dirs.substr(start, end - start));
        start = end + 1;
    }
    folders.winePrefix = winePrefixFromEnvironment();
    return folders;
}

std::optional<std::string> findIgnoringCase(const std::string& root,
                                            const std::vector<std::string>& components) {
    fs::path current(root);
    for (const std::string& wanted : components) {
        const fs::path exact = current / wanted;
        std::error_code error;
        if (fs::exists(exact, error)) {
            current = exact;
            continue;
        }
        std::optional<fs::path> match;
        for (fs::directory_iterator it(current, error), end; !error && it != end;
             it.increment(error)) {
            if (equalIgnoringCase(it->path().filename().string(), wanted)) {
                match = it->path();
                break;
            }
        }
        if (!match) return std::nullopt;
        current = *match;
    }
    if (!isFile(current)) return std::nullopt;
    return current.string();
}

std::vector<std::string> UnixTemplateLocator::places() {
    std::vector<std::string> result;
    const auto add = [&](const std::string& root, const std::vector<std::string>& parts) {
        if (root.empty()) return;
        fs::path path(root);
        for (const std::string& part : parts) path /= part;
        result.push_back(path.string());
    };
    add(folders_.dataHome, kDrumaTemplate);
    for (const std::string& dir : folders_.dataDirs) add(dir, kDrumaTemplate);
    for (const std::string& folder : kWineFolders) add(folders_.winePrefix, wineParts(folder));
    return result;
}

std::optional<std::string> UnixTemplateLocator::find() {
    std::vector<std::string> roots;
    if (!folders_.dataHome.empty()) roots.push_back(folders_.dataHome);
    roots.insert(roots.end(), folders_.dataDirs.begin(), folders_.dataDirs.end());
    for (const std::string& root : roots) {
        const fs::path path = fs::path(root) / kDrumaTemplate[0] / kDrumaTemplate[1];
        if (isFile(path)) return path.string();
    }
    if (folders_.winePrefix.empty()) return std::nullopt;
    for (const std::string& folder : kWineFolders) {
        if (auto found = findIgnoringCase(folders_.winePrefix, wineParts(folder))) return found;
    }
    return std::nullopt;
}

}  // namespace zonora
