#include "platform/posix/wine_install_tool.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <optional>

#include "platform/file_error.h"
#include "platform/posix/wine_prefix.h"
#include "platform/runtime_error.h"
#include "platform/windows_paths.h"

namespace zonora {
namespace fs = std::filesystem;
namespace {

// A first start of wine in a prefix may set the prefix up, which takes a while.
constexpr auto kWinepathLimit = std::chrono::seconds(120);

// The one line winepath prints, without its line end.
std::optional<std::string> onlyLine(std::optional<std::string> output) {
    if (!output) return std::nullopt;
    while (!output->empty() && (output->back() == '\n' || output->back() == '\r')) {
        output->pop_back();
    }
    if (output->empty() || output->find('\n') != std::string::npos) return std::nullopt;
    return output;
}

// The last line that says something: after Wine's own chatter, its reason.
std::string lastLine(const std::string& text) {
    std::string last;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (!line.empty()) last = std::move(line);
        start = end + 1;
    }
    return last;
}

}  // namespace

std::vector<std::string> cmdWordsFor(const std::string& windowsPath) {
    // wine joins its arguments with one blank each and quotes any that holds
    // a blank, so the path goes as its blank-separated words; cmd.exe then
    // expands % and reads ^ & | < > itself, the latter unless escaped.
    if (windowsPath.empty() || windowsPath.front() == ' ' || windowsPath.back() == ' ' ||
        windowsPath.find("  ") != std::string::npos ||
        windowsPath.find_first_of("\t\"%") != std::string::npos) {
        return {};
    }
    std::vector<std::string> words(1);
    for (const char c : windowsPath) {
        if (c == ' ') {
            words.emplace_back();
            continue;
        }
        if (std::strchr("^&|<>", c) != nullptr) words.back() += '^';
        words.back() += c;
    }
    return words;
}

bool WineInstallTool::handOff(const std::string& pdbPath) {
    if (prefix_.empty()) return false;
    const auto tool = findIgnoringCase(prefix_, partsInWinePrefix(kInstallToolPath));
    if (!tool) return false;
    const auto wine = starter_.find(wine_);
    if (!wine) return false;

    const std::vector<std::string> environment = environmentWith("WINEPREFIX", prefix_);
    const std::string absolute = fs::absolute(fs::path(pdbPath)).lexically_normal().string();
    // winepath is the first program Wine starts here: when it cannot, neither
    // can the tool, and Wine's own reason is what the user needs to read.
    std::string wineErrors;
    const auto output = starter_.outputOf({{*wine, "winepath.exe", "-w", absolute}, environment},
                                          kWinepathLimit, wineErrors);
    if (!output) {
        throw RuntimeError(errors::kPathFileAccess, "Wine could not start the Install Tool " +
                                                        *tool + ": " + lastLine(wineErrors));
    }
    const auto windowsPath = onlyLine(output);
    if (!windowsPath) {
        throw FileError(std::error_code(ENOEXEC, std::generic_category()), *tool);
    }

    // The program goes by its Windows name, as on Windows.
    std::string program = kInstallCommand;
    program.pop_back();
    std::vector<std::string> arguments = {*wine};
    if (std::vector<std::string> words = cmdWordsFor(*windowsPath); !words.empty()) {
        arguments.insert(arguments.end(), {"cmd.exe", "/c", program});
        arguments.insert(arguments.end(), words.begin(), words.end());
    } else {
        arguments.insert(arguments.end(), {program, *windowsPath});
    }
    starter_.startDetached({std::move(arguments), environment}, *tool);
    return true;
}

}  // namespace zonora
