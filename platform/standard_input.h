#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace zonora {

// How error reports name standard input.
inline constexpr const char* kStandardInputName = "standard input";

// Standard input taken as a file of bytes, for `-` as an input file.
class StandardInput {
  public:
    virtual ~StandardInput() = default;
    // Every byte to the end of the input, as it came; throws FileError.
    virtual std::vector<std::uint8_t> readAll() = 0;
};

// The files a conversion sees when its input came on standard input: those of
// the system, except that the input's own path reads the bytes that came.
// Nothing is read under that path, and it names no file that the others
// could be.
class StandardInputFiles : public FileSystem {
  public:
    StandardInputFiles(FileSystem& files, std::string inputPath, std::vector<std::uint8_t> bytes)
        : files_(files), inputPath_(std::move(inputPath)), bytes_(std::move(bytes)) {}

    std::unique_ptr<InputFile> openRead(const std::string& path) override;
    std::unique_ptr<OutputFile> replace(const std::string& path) override {
        return files_.replace(path);
    }
    bool exists(const std::string& path) override {
        return path == inputPath_ || files_.exists(path);
    }
    bool sameFile(const std::string& a, const std::string& b) override {
        return a != inputPath_ && b != inputPath_ && files_.sameFile(a, b);
    }

  private:
    FileSystem& files_;
    std::string inputPath_;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace zonora
