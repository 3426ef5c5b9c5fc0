#include "ui/cli/program_start.h"

#include <filesystem>
#include <system_error>

#include "ui/cli/command_line.h"

namespace zonora {
namespace {

// The field shows where the file is, whatever folder the program started in,
// without the dot folders a shortcut may have given it.
std::string absolutePath(const std::string& utf8) {
    const std::filesystem::path path(std::u8string(utf8.begin(), utf8.end()));
    std::error_code failed;
    const std::filesystem::path absolute = std::filesystem::absolute(path, failed);
    if (failed) return utf8;
    const std::u8string text = absolute.lexically_normal().u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

ProgramStart programStart(const std::vector<std::string>& commandLine) {
    ProgramStart start;
    if (!commandLine.empty()) start.arguments.assign(commandLine.begin() + 1, commandLine.end());
    const std::vector<std::string>& arguments = start.arguments;
    if (isCommand(arguments)) {
        start.action = ProgramStart::Action::Command;
        return start;
    }
    if (arguments.empty()) return start;
    const std::string& first = arguments.front();
    start.action = ProgramStart::Action::UsageError;
    if (first.starts_with('-')) {
        start.problem = "unknown option \"" + first + "\"";
    } else if (arguments.size() > 1) {
        start.problem = "\"" + first + "\" is not a command, and only one file can be opened";
    } else if (first.empty()) {
        start.problem = "an empty file name";
    } else {
        start.action = ProgramStart::Action::Window;
        start.file = absolutePath(first);
    }
    return start;
}

}  // namespace zonora
