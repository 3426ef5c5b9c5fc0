#pragma once

#include "platform/file_system.h"

namespace zonora {

// Files on a POSIX system. A replacement is written to a temporary file in the
// target's folder and renamed over the target, so a failure or a kill never
// leaves a partial file at the target's path.
class PosixFileSystem : public FileSystem {
  public:
    std::unique_ptr<InputFile> openRead(const std::string& path) override;
    std::unique_ptr<OutputFile> replace(const std::string& path) override;
    bool exists(const std::string& path) override;
    bool sameFile(const std::string& a, const std::string& b) override;
};

// Prefix of the temporary files that replacements are built in.
inline constexpr const char* kTemporaryPrefix = ".zonora-";

}  // namespace zonora
