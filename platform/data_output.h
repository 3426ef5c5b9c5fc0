#pragma once

#include <cstdint>
#include <span>

namespace zonora {

// Standard output taken as a file of bytes, for -o -.
class DataOutput {
  public:
    virtual ~DataOutput() = default;
    virtual bool isTerminal() = 0;
    // Writes every byte, or throws FileError.
    virtual void write(std::span<const std::uint8_t> bytes) = 0;
};

}  // namespace zonora
