#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace zonora::test {

// A read-only file over bytes the caller keeps, served `repeat` times over in
// reads of at most `readSize` bytes. It allocates nothing, so what a reader
// allocates can be measured on its own.
class MemoryInputFile : public InputFile {
  public:
    explicit MemoryInputFile(std::span<const std::uint8_t> bytes, std::size_t readSize = 0,
                             std::size_t repeat = 1)
        : bytes_(bytes), readSize_(readSize), repeat_(repeat) {}

    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) override;
    std::size_t read(std::span<char> out) override;
    std::uint64_t size() override { return bytes_.size() * repeat_; }
    void close() override {}

  private:
    std::uint8_t at(std::uint64_t offset) const {
        return bytes_[static_cast<std::size_t>(offset % bytes_.size())];  // below size()
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t readSize_;
    std::size_t repeat_;
    std::uint64_t position_ = 0;
};

// Files kept in memory by name, for whole conversions at fuzzing speed. Names
// are compared as given: two names are one file only when they are equal.
class MemoryFileSystem : public FileSystem {
  public:
    std::unique_ptr<InputFile> openRead(const std::string& path) override;
    std::unique_ptr<OutputFile> replace(const std::string& path) override;
    bool exists(const std::string& path) override { return files.count(path) != 0; }
    bool sameFile(const std::string& a, const std::string& b) override {
        return a == b && exists(a);
    }

    std::map<std::string, std::vector<std::uint8_t>> files;
};

}  // namespace zonora::test
