#pragma once

#include "platform/file_system.h"
#include "platform/temporary_name.h"

namespace zonora {

// Files on a POSIX system. A replacement is written to a temporary file in the
// target's folder and renamed over the target, so a failure or a kill never
// leaves a partial file at the target's path. Only a plain file is read or
// replaced: a pipe, socket, device or folder there is refused and left as it is.
// A missing file whose folder (where its links lead) is missing too is
// reported as such (FileError::folderMissing).
class PosixFileSystem : public FileSystem {
  public:
    std::unique_ptr<InputFile> openRead(const std::string& path) override;
    std::unique_ptr<OutputFile> replace(const std::string& path) override;
    bool exists(const std::string& path) override;
    bool sameFile(const std::string& a, const std::string& b) override;
};

}  // namespace zonora
