#pragma once

#include <stdexcept>
#include <string>

namespace zonora {

// The numbers of the classic runtime error table that the program raises.
namespace errors {
inline constexpr int kInvalidCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kBadFileName = 52;
inline constexpr int kFileNotFound = 53;
inline constexpr int kDeviceIo = 57;
inline constexpr int kFileAlreadyExists = 58;
inline constexpr int kDiskFull = 61;
inline constexpr int kTooManyFiles = 67;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kPathFileAccess = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kInvalidFileFormat = 321;
}  // namespace errors

// The one failure kind of the program: every failing step raises it and the
// conversion frame reports it. An empty description is filled in from the
// standard text for the number when the error is reported.
struct RuntimeError : std::runtime_error {
    explicit RuntimeError(int number, std::string description = {}, std::string helpFile = {},
                          int helpContext = 0)
        : std::runtime_error("runtime error " + std::to_string(number)),
          number(number),
          description(std::move(description)),
          helpFile(std::move(helpFile)),
          helpContext(helpContext) {}

    int number;
    std::string source = "Velbar";
    std::string description;
    std::string helpFile;
    int helpContext;
};

}  // namespace zonora
