#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/win32/win32_handle.h"

namespace zonora {

// A replacement being written to its temporary file (handle, opened with
// DELETE access) in the target's folder. commit() flushes it and renames it
// over the target through its own handle; otherwise it is deleted.
class Win32OutputFile : public OutputFile {
  public:
    Win32OutputFile(std::string path, std::wstring target, std::wstring temporary, HANDLE handle)
        : path_(std::move(path)),
          target_(std::move(target)),
          temporary_(std::move(temporary)),
          file_(handle) {}
    ~Win32OutputFile() override { discard(); }

    void write(std::span<const std::uint8_t> bytes) override;
    void flush() override;
    void commit() override;

  private:
    void putInPlace();
    void carryOver(const WIN32_FILE_ATTRIBUTE_DATA& old);
    void discard();

    std::string path_;
    std::wstring target_;
    std::wstring temporary_;
    UniqueHandle file_;
    bool committed_ = false;
    bool flushed_ = false;  // nothing written since the last flush
};

// A folder or a read-only file is not replaced, even in a folder we may write
// to; Wine would rename over a read-only file.
void refuseToReplace(DWORD attributes, const std::string& path);

}  // namespace zonora
