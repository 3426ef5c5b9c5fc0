#pragma once

#include <windows.h>

#include "platform/data_output.h"

namespace zonora {

// Standard output as bytes on Windows, written as they are: a PDB through a
// pipe or into a file arrives whole, whatever the console's code page. A
// missing handle or a failed write is a FileError.
class Win32DataOutput : public DataOutput {
  public:
    explicit Win32DataOutput(HANDLE handle) : handle_(handle) {}

    bool isTerminal() override;
    void write(std::span<const std::uint8_t> bytes) override;

  private:
    HANDLE handle_;
};

}  // namespace zonora
