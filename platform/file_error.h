#pragma once

#include <stdexcept>
#include <string>
#include <system_error>

namespace zonora {

// What the file layer throws: the operating system's own error and the file it
// concerns. The conversion frame turns it into a numbered runtime error.
struct FileError : std::runtime_error {
    FileError(std::error_code code, std::string path, bool folderMissing = false)
        : std::runtime_error(code.message() + ": " + path),
          code(code),
          path(std::move(path)),
          folderMissing(folderMissing) {}

    std::error_code code;
    std::string path;
    bool folderMissing;  // the path's folder does not exist (as opposed to the file)
};

}  // namespace zonora
