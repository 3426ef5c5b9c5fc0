#include "ui/cli/command_line.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "convert/conversion.h"
#include "convert/conversion_frame.h"
#include "platform/standard_output.h"
#include "ui/cli/check_command.h"
#include "ui/cli/diff_command.h"
#include "ui/cli/terminal_message_box.h"
#include "ui/form_handlers.h"
#include "ui/version.h"

namespace zonora {
namespace {

constexpr const char* kToMap = "to-map";
constexpr const char* kToPdb = "to-pdb";
constexpr const char* kCheck = "check";
constexpr const char* kDiff = "diff";

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
bool reports(const std::string& argument) { return argument == kCheck || argument == kDiff; }

// The path a conversion of input writes to; nothing, after the error report,
// when there is no name to propose.
std::optional<std::string> namedOutput(const std::string& input, const ConvertCommand& convert,
                                       MessageBox& box) {
    std::optional<std::string> output;
    runReportingErrors(box, [&] { output = outputPath(input, convert); });
    return output;
}

int convertOne(bool toPdb, const std::string& input, const std::string& output,
               ConversionServices& conversion) {
    TextPathFields fields = toPdb ? TextPathFields(input, output) : TextPathFields(output, input);
    if (toPdb) {
        MapToPdb(fields, conversion);
    } else {
        PdbToMap(fields, conversion);
    }
    // A conversion clears its fields only when it succeeds.
    return fields.map.empty() && fields.pdb.empty() ? kAllConverted : kSomeNotConverted;
}

// The files a check or a diff reads, once the convert-only options are refused.
Command reportCommand(const std::string& name, const ConvertCommand& parsed) {
    if (parsed.output) return UsageError{"-o applies to to-map and to-pdb only"};
    if (name == kCheck) {
        if (parsed.inputs.empty()) return UsageError{"check needs at least one file"};
        return CheckCommand{parsed.inputs};
    }
    if (parsed.inputs.size() != 2) return UsageError{"diff needs two files"};
    return DiffCommand{parsed.inputs[0], parsed.inputs[1]};
}

// The conversion's messages go to standard error while standard output takes
// the data; there is no file to hand to the Install Tool.
int convertToStandardOutput(const ConvertCommand& convert, const SystemServices& services,
                            Console& console) {
    if (console.data == nullptr) {
        console.err << usageReport("-o -: no standard output to write to") << std::flush;
        return kUsageError;
    }
    if (convert.toPdb && console.data->isTerminal()) {
        console.err << usageReport(
                           "-o - does not write a PDB to a terminal: redirect standard "
                           "output, or name a file")
                    << std::flush;
        return kUsageError;
    }
    Console messages{console.err, console.err, console.terminal, nullptr};
    TerminalMessageBox box(messages, convert.answer);
    const std::string& input = convert.inputs.front();
    const auto output = namedOutput(input, convert, box);
    if (!output) return kSomeNotConverted;
    StandardOutputFiles files(services.files, *output, *console.data);
    AbsentInstallTool noInstallTool;
    ConversionServices conversion{files, box, services.clock, services.templates, noInstallTool};
    return convertOne(convert.toPdb, input, *output, conversion);
}

}  // namespace

bool isCommand(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return false;
    const std::string& first = arguments.front();
    return converts(first) || reports(first) || first == "--help" || first == "-h" ||
           first == "--version";
}

Command parseCommand(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return UsageError{"no command given"};
    const std::string& name = arguments.front();
    if (name == "--help" || name == "-h") return HelpCommand{};
    if (name == "--version") return VersionCommand{};
    if (!converts(name) && !reports(name)) return UsageError{"unknown command \"" + name + "\""};

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
            if (name != kToPdb) return UsageError{argument + " applies to to-pdb only"};
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
    if (reports(name)) return reportCommand(name, command);
    if (command.inputs.empty()) return UsageError{name + " needs at least one file"};
    if (command.output == kStandardOutput && command.inputs.size() > 1) {
        return UsageError{"-o - takes one input"};
    }
    return command;
}

std::string usageText() {
    return "Usage: zonora [FILE]\n"
           "       zonora to-map FILE.pdb... [-o OUT]\n"
           "       zonora to-pdb FILE.map... [-o OUT] [--yes | --no]\n"
           "       zonora check FILE.map...\n"
           "       zonora diff A B\n"
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
           "and these read, as the conversions do, and write nothing:\n"
           "  check      report what to-pdb would pass over, round or stop on in each\n"
           "             Map file: short and long lines, words of 256 or more, words\n"
           "             that are not plain whole numbers, values outside 0 to 255 or\n"
           "             past the 256th, and the count of values\n"
           "  diff       list the zones whose values differ between A and B, each a PDB\n"
           "             or a Map file: row and column from 1 to 16, the value in A,\n"
           "             then in B; then their count\n"
           "\n"
           "Options:\n"
           "  -o OUT     with one input, the file to write; with several, the folder to\n"
           "             write them in. Without -o, each output is the input's path less\n"
           "             its last three characters, then MAP or PDB.\n"
           "  -o -       write the one output to standard output (a PDB only when that\n"
           "             is not a terminal); messages then go to standard error\n"
           "  --yes      convert a Map file with fewer than 256 values without asking\n"
           "  --no       leave a Map file with fewer than 256 values unconverted\n"
           "             (on a terminal the question is asked, No by default)\n"
           "  --         end the options: a file name may then start with '-'\n"
           "  --help     show this text\n"
           "  --version  show the version\n"
           "\n"
           "Messages go to standard output, error reports to standard error.\n"
           "\n"
           "Exit status:\n"
           "  0  every file was converted\n"
           "  1  a file was not converted (the others still were)\n"
           "  2  usage error\n"
           "check: 0 when every file would convert unasked, 1 otherwise.\n"
           "diff: 0 when the tables are equal, 1 when they differ, 2 for trouble.\n";
}

std::string versionText() { return std::string("zonora ") + kVersion + "\n"; }

std::string outputPath(const std::string& input, const ConvertCommand& command) {
    const std::string proposed = proposedName(input, command.toPdb ? "PDB" : "MAP");
    if (!command.output || *command.output == kStandardOutput) return proposed;
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

    if (const auto* check = std::get_if<CheckCommand>(&command)) {
        return runCheck(check->maps, services.files, console);
    }
    if (const auto* diff = std::get_if<DiffCommand>(&command)) {
        return runDiff(diff->first, diff->second, services.files, console);
    }

    const auto& convert = std::get<ConvertCommand>(command);
    if (convert.output == kStandardOutput) {
        return convertToStandardOutput(convert, services, console);
    }
    TerminalMessageBox box(console, convert.answer);
    ConversionServices conversion = withBox(services, box);
    int status = kAllConverted;
    for (const std::string& input : convert.inputs) {
        const auto output = namedOutput(input, convert, box);
        if (!output || convertOne(convert.toPdb, input, *output, conversion) != kAllConverted) {
            status = kSomeNotConverted;
        }
    }
    return status;
}

}  // namespace zonora
