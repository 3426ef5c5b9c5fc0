#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace zonora {

// A program to run: its path first, then its arguments, and the whole
// environment it gets.
struct ProgramCall {
    std::vector<std::string> arguments;
    std::vector<std::string> environment;
};

// This program's environment with one variable set to value.
std::vector<std::string> environmentWith(const std::string& name, const std::string& value);

// Starts other programs on a POSIX system. Its calls are virtual so that what
// a caller does with their answers can be tried without starting anything.
class PosixProcessStarter {
  public:
    virtual ~PosixProcessStarter() = default;

    // A name with a slash as it is, else the first runnable file of that name
    // in PATH; nothing when there is none.
    virtual std::optional<std::string> find(const std::string& name);

    // Runs the program to its end, with no input, and gives what it wrote to
    // its standard output; nothing when it did not start, ended with a
    // failing status, or ran past limit (it is killed then). errors gets why
    // it failed: what it wrote to its standard error, else what became of it.
    virtual std::optional<std::string> outputOf(const ProgramCall& call,
                                                std::chrono::milliseconds limit,
                                                std::string& errors);

    // Starts the program and returns at once. It is not waited for and never
    // left behind as a zombie here. A start that fails throws a FileError
    // that names shownAs.
    virtual void startDetached(const ProgramCall& call, const std::string& shownAs);
};

}  // namespace zonora
