#pragma once

#include <cstddef>
#include <map>
#include <mutex>
#include <string>

#include "platform/file_system.h"

namespace zonora {

// Files through the Win32 API. A replacement is written to a temporary file in
// the target's folder, flushed and then renamed over the target through its
// own handle, so the target is always either the old file or the complete new
// one; the old file's hidden and system marks and its creation time are
// carried over, its own security settings are not (the new file takes its
// folder's). Devices (CON, NUL, COM1, paths in the device namespace and the
// like) and folders are refused as sources and destinations before anything
// is read or written, and so is a read-only destination. Whatever the system
// answers, a missing file whose folder is missing too is reported as such, and
// a name longer than its volume takes as a bad name.
class Win32FileSystem : public FileSystem {
  public:
    std::unique_ptr<InputFile> openRead(const std::string& path) override;
    std::unique_ptr<OutputFile> replace(const std::string& path) override;
    bool exists(const std::string& path) override;
    bool sameFile(const std::string& a, const std::string& b) override;

  private:
    // The longest name (in UTF-16 units) the volume holding folder takes.
    std::size_t nameLimit(const std::wstring& folder);
    // The longest name a temporary file in folder may have, beside target.
    std::size_t temporaryNameLimit(const std::wstring& folder, const std::wstring& target);
    // The full path of the file a replacement of path is to take the place
    // of, once it is known not to be refused.
    std::wstring replacementTarget(const std::string& path);
    void refuseOverlongName(const std::wstring& fullPath, const std::string& path);

    std::mutex mutex_;
    // By folder, each asked of its volume once: the answer is slow to come.
    std::map<std::wstring, std::size_t> nameLimits_;
};

}  // namespace zonora
