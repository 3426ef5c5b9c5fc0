#include "ui/cli/command_line.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "convert/conversion.h"
#include "convert/conversion_frame.h"
#include "ui/cli/terminal_message_box.h"
#include "ui/form_handlers.h"
#include "ui/version.h"

namespace zonora {
namespace {

constexpr const char* kToMap = "to-map";
constexpr const char* kToPdb = "to-pdb";

// Paths are UTF-8 inside the program, whatever the system's own text.
std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool isFolder(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_directory(pathOf(path), ignored);
}

bool converts(const std::string& argument) { return argument == kToMap || argument == kToPdb; }

}  // namespace

bool isCommand(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return false;
    const std::string& first = arguments.front();
    return converts(first) || first == "--help" || first == "-h" || first == "--version";
}

Command parseCommand(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return UsageError{"no command given"};
    const std::string& name = arguments.front();
    if (name == "--help" || name == "-h") return HelpCommand{};
    if (name == "--version") return VersionCommand{};
    if (!converts(name)) return UsageError{"unknown command \"" + name + "\""};

    ConvertCommand command;
    command.toPdb = name == kToPdb;
    bool options = true;  // until "--", so that a file may start with '-'
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "--help" || argument == "-h")) {
            return HelpCommand{};
        } else if (options && argument == "-o") {
            if (command.output) return UsageError{"-o given twice"};
            if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
                return UsageError{"-o needs a file or folder name"};
            }
            command.output = arguments[++i];
        } else if (options && (argument == "--yes" || argument == "--no")) {
            if (!command.toPdb) return UsageError{argument + " applies to to-pdb only"};
            const auto answer = argument == "--yes" ? ShortMapAnswer::Yes : ShortMapAnswer::No;
            if (command.answer != ShortMapAnswer::Ask && command.answer != answer) {
                return UsageError{"--yes and --no together"};
            }
            command.answer = answer;
        } else if (options && argument.size() > 1 && argument.front() == '-') {
            return UsageError{"unknown option \"" + argument + "\""};
        } else if (argument.empty()) {
            return UsageError{"an empty file name"};
        } else {
            command.inputs.push_back(argument);
        }
    }
    if (command.inputs.empty()) return UsageError{name + " needs at least one file"};
    return command;
}

std::string usageText() {
    return "Usage: zonora [FILE]\n"
           "       zonora to-map FILE.pdb... [-o OUT]\n"
           "       zonora to-pdb FILE.map... [-o OUT] [--yes | --no]\n"
           "       zonora --help | --version\n";
}

std::string usageReport(const std::string& problem) {
    return "zonora: " + problem + "\n" + usageText() + "Try 'zonora --help'.\n";
}

std::string helpText() {
    return usageText() +
           "\n"
           "Without arguments, zonora opens its window; with one FILE, the window opens\n"
           "ready to convert it. The commands convert without a window:\n"
           "  to-map     write the zone table of each PDB file as a Tesk Map file\n"
           "  to-pdb     make a Druma PDB file from each Map file and hand it to the\n"
           "             Install Tool\n"
           "\n"
           "Options:\n"
           "  -o OUT     with one input, the file to write; with several, the folder to\n"
           "             write them in. Without -o, each output is the input's path less\n"
           "             its last three characters, then MAP or PDB.\n"
           "  --yes      convert a Map file with fewer than 256 values without asking\n"
           "  --no       leave a Map file with fewer than 256 values unconverted\n"
           "             (on a terminal the question is asked, No by default)\n"
           "  --help     show this text\n"
           "  --version  show the version\n"
           "\n"
           "Messages go to standard output, error reports to standard error.\n"
           "\n"
           "Exit status:\n"
           "  0  every file was converted\n"
           "  1  a file was not converted (the others still were)\n"
           "  2  usage error\n";
}

std::string versionText() { return std::string("zonora ") + kVersion + "\n"; }

std::string outputPath(const std::string& input, const ConvertCommand& command) {
    const std::string proposed = proposedName(input, command.toPdb ? "PDB" : "MAP");
    if (!command.output) return proposed;
    if (command.inputs.size() == 1 && !isFolder(*command.output)) return *command.output;
    return utf8Of(pathOf(*command.output) / pathOf(proposed).filename());
}

int runCommandLine(const std::vector<std::string>& arguments, const SystemServices& services,
                   Console& console) {
    const Command command = parseCommand(arguments);
    if (const auto* usage = std::get_if<UsageError>(&command)) {
        console.err << usageReport(usage->message) << std::flush;
        return kUsageError;
    }
    if (std::holds_alternative<HelpCommand>(command)) {
        console.out << helpText() << std::flush;
        return kAllConverted;
    }
    if (std::holds_alternative<VersionCommand>(command)) {
        console.out << versionText() << std::flush;
        return kAllConverted;
    }

    const auto& convert = std::get<ConvertCommand>(command);
    TerminalMessageBox box(console, convert.answer);
    ConversionServices conversion = withBox(services, box);
    int status = kAllConverted;
    for (const std::string& input : convert.inputs) {
        std::string output;
        bool named = false;
        runReportingErrors(box, [&] {
            output = outputPath(input, convert);
            named = true;
        });
        if (!named) {
            status = kSomeNotConverted;
            continue;
        }
        TextPathFields fields =
            convert.toPdb ? TextPathFields(input, output) : TextPathFields(output, input);
        if (convert.toPdb) {
            MapToPdb(fields, conversion);
        } else {
            PdbToMap(fields, conversion);
        }
        // A conversion clears its fields only when it succeeds.
        if (!fields.map.empty() || !fields.pdb.empty()) status = kSomeNotConverted;
    }
    return status;
}

}  // namespace zonora
