#include "tests/support/memory_files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/file_error.h"

namespace zonora::test {
namespace {

// Holds its own copy, so a file stays readable while it is replaced.
struct Storage {
    std::vector<std::uint8_t> bytes;
};
class OwnedInputFile : private Storage, public MemoryInputFile {
  public:
    explicit OwnedInputFile(std::vector<std::uint8_t> copy)
        : Storage{std::move(copy)}, MemoryInputFile(Storage::bytes) {}
};

class MemoryOutputFile : public OutputFile {
  public:
    MemoryOutputFile(MemoryFileSystem& owner, std::string path)
        : owner_(owner), path_(std::move(path)) {}

    void write(std::span<const std::uint8_t> bytes) override {
        content_.insert(content_.end(), bytes.begin(), bytes.end());
    }
    void flush() override {}
    void commit() override { owner_.files[path_] = std::move(content_); }

  private:
    MemoryFileSystem& owner_;
    std::string path_;
    std::vector<std::uint8_t> content_;
};

}  // namespace

std::size_t MemoryInputFile::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    std::size_t n = 0;
    for (; n < out.size() && offset + n < size(); ++n) out[n] = at(offset + n);
    return n;
}

std::size_t MemoryInputFile::read(std::span<char> out) {
    const std::size_t want = readSize_ == 0 ? out.size() : std::min(out.size(), readSize_);
    std::size_t n = 0;
    // Whole runs of the bytes at a time: long repeated files must read fast.
    while (n < want && position_ < size()) {
        const std::size_t offset = static_cast<std::size_t>(position_ % bytes_.size());
        const std::size_t run = static_cast<std::size_t>(
            std::min<std::uint64_t>({want - n, bytes_.size() - offset, size() - position_}));
        std::memcpy(out.data() + n, bytes_.data() + offset, run);
        n += run;
        position_ += run;
    }
    return n;
}

std::unique_ptr<InputFile> MemoryFileSystem::openRead(const std::string& path) {
    const auto found = files.find(path);
    if (found == files.end()) {
        throw FileError(std::make_error_code(std::errc::no_such_file_or_directory), path);
    }
    return std::make_unique<OwnedInputFile>(found->second);
}

std::unique_ptr<OutputFile> MemoryFileSystem::replace(const std::string& path) {
    return std::make_unique<MemoryOutputFile>(*this, path);
}

}  // namespace zonora::test
