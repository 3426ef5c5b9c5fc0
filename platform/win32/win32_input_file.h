#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/win32/win32_handle.h"

namespace zonora {

// A file open for reading through the Win32 API; it owns its handle.
class Win32InputFile : public InputFile {
  public:
    Win32InputFile(HANDLE handle, std::string path) : file_(handle), path_(std::move(path)) {}

    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) override;
    std::size_t read(std::span<char> out) override;
    std::uint64_t size() override;
    void close() override { file_.reset(); }

  private:
    UniqueHandle file_;
    std::string path_;
    std::uint64_t next_ = 0;  // where read() goes on; readAt() leaves it alone
};

}  // namespace zonora
