#pragma once

#include "platform/process_starter.h"

namespace zonora {

// CreateProcessW with the command line handed over whole: Windows finds the
// program in its first word, and the rest reaches the program unchanged. The
// program's window shows normally; it is neither waited for nor watched. A
// failed start throws a FileError that names the program.
class Win32ProcessStarter : public ProcessStarter {
  public:
    void start(const std::string& commandLine) override;
};

// The program a command line names: its first word, or the quoted text it
// starts with.
std::string programOf(const std::string& commandLine);

}  // namespace zonora
