#include "platform/posix/wine_prefix.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/environment.h"

namespace zonora {
namespace fs = std::filesystem;
namespace {

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::string winePrefixFromEnvironment() {
    if (std::string prefix = environmentVariable("WINEPREFIX"); !prefix.empty()) return prefix;
    const std::string home = environmentVariable("HOME");
    return home.empty() ? std::string() : home + "/.wine";
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
    std::error_code ignored;
    if (!fs::is_regular_file(current, ignored)) return std::nullopt;
    return current.string();
}

}  // namespace zonora
