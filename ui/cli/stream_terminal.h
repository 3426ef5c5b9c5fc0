#pragma once

#include <iosfwd>

#include "ui/cli/command_line.h"

namespace zonora {

// Answers read line by line from a stream that a person types into.
class StreamTerminal : public Terminal {
  public:
    explicit StreamTerminal(std::istream& in) : in_(in) {}
    std::optional<std::string> readLine() override;

  private:
    std::istream& in_;
};

// True when standard input is a terminal a person can answer on. Always false
// on Windows: a program started from a console there does not own its input.
bool standardInputIsTerminal();

}  // namespace zonora
