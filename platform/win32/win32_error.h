#pragma once

#include <string>
#include <system_error>

namespace zonora {

// A Windows error code (GetLastError) as an error_code that compares equal to
// the std::errc the conversion frame numbers it by (ERROR_SHARING_VIOLATION as
// permission_denied, ERROR_DISK_FULL as no_space_on_device, ...); codes with no
// such match compare equal to none. Its message is the system's text.
std::error_code win32Error(unsigned long code);

// Throws the FileError for a failed call on path; a code that says the folder
// is missing (path not found, no such drive or share) marks it as such.
[[noreturn]] void throwWin32Error(unsigned long code, const std::string& path);

}  // namespace zonora
