#pragma once

#include <iosfwd>

#include "platform/message_box.h"
#include "ui/cli/command_line.h"

namespace zonora {

// Prints the boxes a conversion shows, one line each: error reports on the
// error stream with the report's line break written as ": ", everything else
// on the output stream. The short-Map question is answered by the preset
// answer, else by the terminal (y/N, No by default), else No with the reason.
class TerminalMessageBox : public MessageBox {
  public:
    TerminalMessageBox(Console& console, ShortMapAnswer preset)
        : console_(console), preset_(preset) {}

    Answer show(const Message& message) override;

  private:
    Answer ask(const std::string& question);

    Console& console_;
    ShortMapAnswer preset_;
};

inline constexpr const char* kNoOneToAnswer =
    "No terminal to answer on: not converted. Answer with --yes or --no.";

}  // namespace zonora
