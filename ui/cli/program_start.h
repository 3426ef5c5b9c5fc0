#pragma once

#include <string>
#include <vector>

namespace zonora {

// What the program does with its arguments. Both programs apply this one
// rule, with a display or without: a command runs the command line; no
// argument opens the window; one argument that is not an option opens the
// window with that file; anything else is a usage error.
struct ProgramStart {
    enum class Action { Window, Command, UsageError };
    Action action = Action::Window;
    std::vector<std::string> arguments;  // the program's name left out
    std::string file;                    // Window: the file to open, absolute; empty for none
    std::string problem;                 // UsageError: what is wrong, for the report
};

// commandLine is the whole command line as the system gives it: the
// program's own name first, then its arguments (UTF-8).
ProgramStart programStart(const std::vector<std::string>& commandLine);

}  // namespace zonora
