#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "platform/data_output.h"
#include "platform/standard_input.h"
#include "platform/system_services.h"

namespace zonora {

inline constexpr int kAllConverted = 0;
inline constexpr int kSomeNotConverted = 1;
inline constexpr int kUsageError = 2;

enum class ShortMapAnswer { Ask, Yes, No };

// The -o that names standard output.
inline constexpr const char* kStandardOutput = "-";
// The input that names standard input.
inline constexpr const char* kStandardInput = "-";

struct ConvertCommand {
    bool toPdb = false;  // to-pdb; to-map otherwise
    std::vector<std::string> inputs;
    std::optional<std::string> output;  // -o
    ShortMapAnswer answer = ShortMapAnswer::Ask;
};
struct CheckCommand {
    std::vector<std::string> maps;
};
struct DiffCommand {
    std::string first;
    std::string second;
};
struct HelpCommand {};
struct VersionCommand {};
struct UsageError {
    std::string message;
};
using Command = std::variant<ConvertCommand, CheckCommand, DiffCommand, HelpCommand, VersionCommand,
                             UsageError>;

// True when the arguments (the program name left out) start with a command
// (to-map, to-pdb, check, diff, --help, -h, --version); anything else is for
// the window.
bool isCommand(const std::vector<std::string>& arguments);

Command parseCommand(const std::vector<std::string>& arguments);

// The lines that show how the program is called, and the whole --help text.
std::string usageText();
std::string helpText();
std::string versionText();

// The report of a usage error: what is wrong, then the usage text.
std::string usageReport(const std::string& problem);

// Where a conversion of input writes: -o itself for one input that is not a
// folder; otherwise the name the Save dialog would propose, inside the -o
// folder when there is one (for -o - the proposed name, which standard output
// stands for). Raises error 5 for an input under 3 characters. Standard input
// has no name to propose from: its conversion needs -o naming a file.
std::string outputPath(const std::string& input, const ConvertCommand& command);

// Someone who can answer a question typed at a terminal.
class Terminal {
  public:
    virtual ~Terminal() = default;
    // One line without its end; nothing at the end of the input.
    virtual std::optional<std::string> readLine() = 0;
};

// What the command line writes to and reads from. terminal is null when no
// one is there to answer (input not a terminal, or a console that is not ours);
// data is standard output again, for bytes, and null where there is none;
// input is standard input as bytes, for `-`, and null where there is none.
struct Console {
    std::ostream& out;
    std::ostream& err;
    Terminal* terminal = nullptr;
    DataOutput* data = nullptr;
    StandardInput* input = nullptr;
};

// Runs the arguments as a command and gives the exit status: kAllConverted,
// kSomeNotConverted (every other file is still converted) or kUsageError;
// check and diff give theirs (ui/cli/check_command.h, ui/cli/diff_command.h).
int runCommandLine(const std::vector<std::string>& arguments, const SystemServices& services,
                   Console& console);

}  // namespace zonora
