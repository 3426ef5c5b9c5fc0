#include "platform/windows_paths.h"

#include <algorithm>
#include <cctype>

namespace zonora {

std::vector<std::string> windowsPathParts(std::string_view path) {
    std::vector<std::string> parts;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::vector<std::string> partsInWinePrefix(std::string_view windowsPath) {
    std::vector<std::string> parts = windowsPathParts(windowsPath);
    // Wine keeps drive C: in drive_c.
    const auto letter = static_cast<char>(std::tolower(static_cast<unsigned char>(parts[0][0])));
    parts[0] = std::string("drive_") + letter;
    return parts;
}

std::vector<std::string> templateBelowProgramFolder() {
    const std::vector<std::string> parts = windowsPathParts(kWindowsTemplatePath);
    return {parts.begin() + 2, parts.end()};
}

std::string programFolderX86Name() { return windowsPathParts(kWindowsTemplatePath)[1] + " (x86)"; }

}  // namespace zonora
