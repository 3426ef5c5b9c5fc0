#pragma once

#include "platform/data_output.h"

namespace zonora {

// Standard output as bytes on a POSIX system. A full or closed output is a
// FileError (the program ignores SIGPIPE so that a reader that quits early
// fails the write rather than ending the program).
class PosixDataOutput : public DataOutput {
  public:
    bool isTerminal() override;
    void write(std::span<const std::uint8_t> bytes) override;
};

}  // namespace zonora
