#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace zonora {

// A file opened for reading. Failures throw FileError.
class InputFile {
  public:
    virtual ~InputFile() = default;
    // Reads up to out.size() bytes at offset; fewer only at the end of the file.
    virtual std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
    // Reads the next bytes in order; 0 at the end of the file.
    virtual std::size_t read(std::span<char> out) = 0;
    virtual std::uint64_t size() = 0;
    // Closing twice does nothing; the destructor closes as well.
    virtual void close() = 0;
};

// The new content of a file, built beside it and put in its place only by
// commit(). Destroyed uncommitted, it leaves the old file and no trace behind.
class OutputFile {
  public:
    virtual ~OutputFile() = default;
    virtual void write(std::span<const std::uint8_t> bytes) = 0;  // appends
    virtual void flush() = 0;                                     // to the disk
    virtual void commit() = 0;                                    // closes and replaces the target
};

inline std::span<const std::uint8_t> asBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual std::unique_ptr<InputFile> openRead(const std::string& path) = 0;
    // A target that is a link keeps its link: the file it points to is replaced.
    virtual std::unique_ptr<OutputFile> replace(const std::string& path) = 0;
    // True for a file (or a link to one) that exists.
    virtual bool exists(const std::string& path) = 0;
    // True when both paths exist and name one file, also through links.
    virtual bool sameFile(const std::string& a, const std::string& b) = 0;
};

}  // namespace zonora
