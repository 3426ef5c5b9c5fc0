#include "ui/cli/command_line.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "convert/conversion.h"
#include "convert/conversion_frame.h"
#include "convert/proposed_name.h"
#include "platform/standard_output.h"
#include "ui/cli/check_command.h"
#include "ui/cli/diff_command.h"
#include "ui/cli/terminal_message_box.h"

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

ConversionPaths pathsOf(bool toPdb, const std::string& input, const std::string& output) {
    return toPdb ? ConversionPaths{input, output} : ConversionPaths{output, input};
}

int convertOne(bool toPdb, const ConversionPaths& paths, ConversionServices& conversion) {
    const ConversionOutcome outcome =
        toPdb ? MapToPdb(paths, conversion) : PdbToMap(paths, conversion);
    return outcome.converted() ? kAllConverted : kSomeNotConverted;
}

int usageError(Console& console, const std::string& problem) {
    console.err << usageReport(problem) << std::flush;
    return kUsageError;
}

constexpr const char* kInputNeedsOutput = "- needs -o naming a file";
constexpr const char* kNoStandardInput = "-: no standard input to read from";

// What is wrong with `-` among the inputs, if anything: standard input can be
// read only once, and has no name to make an output's from.
std::optional<std::string> standardInputProblem(const ConvertCommand& command, bool converts) {
    const auto dashes = std::ranges::count(command.inputs, std::string(kStandardInput));
    if (dashes == 0) return std::nullopt;
    if (dashes > 1) return "- given twice";
    if (!converts) return std::nullopt;
    if (command.inputs.size() > 1) return "- takes no other input";
    if (!command.output || *command.output == kStandardOutput) return kInputNeedsOutput;
    return std::nullopt;
}

// The files a check or a diff reads, once the convert-only options are refused.
Command reportCommand(const std::string& name, const ConvertCommand& parsed) {
    if (parsed.output) return UsageError{"-o applies to to-map and to-pdb only"};
    if (const auto problem = standardInputProblem(parsed, false)) return UsageError{*problem};
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
    if (console.data == nullptr) return usageError(console, "-o -: no standard output to write to");
    if (convert.toPdb && console.data->isTerminal()) {
        return usageError(console,
                          "-o - does not write a PDB to a terminal: redirect standard "
                          "output, or name a file");
    }
    Console messages{console.err, console.err, console.terminal, nullptr};
    TerminalMessageBox box(messages, convert.answer);
    const std::string& input = convert.inputs.front();
    const auto output = namedOutput(input, convert, box);
    if (!output) return kSomeNotConverted;
    StandardOutputFiles files(services.files, *output, *console.data);
    AbsentInstallTool noInstallTool;
    ConversionServices conversion{files, box, services.clock, services.templates, noInstallTool};
    return convertOne(convert.toPdb, pathsOf(convert.toPdb, input, *output), conversion);
}

// The paths of a conversion from standard input to output. The names inside
// the new file come from the output's name, as the window derives the other
// field from the one filled; a Map read from standard input is named so.
ConversionPaths standardInputPaths(bool toPdb, const std::string& output) {
    if (toPdb) return {kStandardInputName, output};
    return {output, proposedName(output, "PDB")};
}

// Standard input is read whole before the conversion writes anything.
int convertFromStandardInput(const ConvertCommand& convert, const SystemServices& services,
                             Console& console) {
    if (console.input == nullptr) return usageError(console, kNoStandardInput);
    if (isFolder(*convert.output)) return usageError(console, kInputNeedsOutput);
    TerminalMessageBox box(console, convert.answer);
    ConversionPaths paths;
    std::vector<std::uint8_t> bytes;
    const auto unread = runReportingErrors(box, [&] {
        paths = standardInputPaths(convert.toPdb, *convert.output);
        bytes = console.input->readAll();
    });
    if (unread) return kSomeNotConverted;
    StandardInputFiles files(services.files, convert.toPdb ? paths.map : paths.pdb,
                             std::move(bytes));
    ConversionServices conversion{files, box, services.clock, services.templates,
                                  services.installTool};
    return convertOne(convert.toPdb, paths, conversion);
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
    if (const auto problem = standardInputProblem(command, true)) return UsageError{*problem};
    return command;
}

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
        return usageError(console, usage->message);
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
        if (!console.input && std::ranges::count(check->maps, std::string(kStandardInput)) > 0) {
            return usageError(console, kNoStandardInput);
        }
        return runCheck(check->maps, services.files, console);
    }
    if (const auto* diff = std::get_if<DiffCommand>(&command)) {
        if (!console.input && (diff->first == kStandardInput || diff->second == kStandardInput)) {
            return usageError(console, kNoStandardInput);
        }
        return runDiff(diff->first, diff->second, services.files, console);
    }

    const auto& convert = std::get<ConvertCommand>(command);
    if (convert.inputs.front() == kStandardInput) {
        return convertFromStandardInput(convert, services, console);
    }
    if (convert.output == kStandardOutput) {
        return convertToStandardOutput(convert, services, console);
    }
    TerminalMessageBox box(console, convert.answer);
    ConversionServices conversion = withBox(services, box);
    int status = kAllConverted;
    for (const std::string& input : convert.inputs) {
        const auto output = namedOutput(input, convert, box);
        if (!output || convertOne(convert.toPdb, pathsOf(convert.toPdb, input, *output),
                                  conversion) != kAllConverted) {
            status = kSomeNotConverted;
        }
    }
    return status;
}

}  // namespace zonora
