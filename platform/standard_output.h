#pragma once

#include <memory>
#include <string>

#include "platform/data_output.h"
#include "platform/file_system.h"

namespace zonora {

// How error reports name standard output.
inline constexpr const char* kStandardOutputName = "standard output";

// The files a conversion sees when its output goes to standard output: those
// of the system, except that the output's own path is built in memory and
// written to standard output at commit(). Nothing is written under that path,
// and it names no file that the others could be.
class StandardOutputFiles : public FileSystem {
  public:
    StandardOutputFiles(FileSystem& files, std::string outputPath, DataOutput& data)
        : files_(files), outputPath_(std::move(outputPath)), data_(data) {}

    std::unique_ptr<InputFile> openRead(const std::string& path) override {
        return files_.openRead(path);
    }
    std::unique_ptr<OutputFile> replace(const std::string& path) override;
    bool exists(const std::string& path) override { return files_.exists(path); }
    bool sameFile(const std::string& a, const std::string& b) override {
        return a != outputPath_ && b != outputPath_ && files_.sameFile(a, b);
    }

  private:
    FileSystem& files_;
    std::string outputPath_;
    DataOutput& data_;
};

}  // namespace zonora
