#pragma once

#include <cstdint>
#include <span>

#include "platform/file_system.h"

namespace zonora {

// Bytes the caller keeps, read as a file: what came on standard input, or
// what a page was handed.
class ByteInputFile : public InputFile {
  public:
    explicit ByteInputFile(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) override;
    std::size_t read(std::span<char> out) override;
    std::uint64_t size() override { return bytes_.size(); }
    void close() override {}

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;  // where read() goes on; readAt() leaves it alone
};

}  // namespace zonora
