#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <system_error>

namespace zonora {

// The paths and failures the Win32 files share. path is the one the caller
// named, as reports show it; full is the same file's full path.

[[noreturn]] void refuse(std::errc code, const std::string& path);
// The FileError for the calling thread's last Win32 error.
[[noreturn]] void throwLastError(const std::string& path);
// The FileError for a failed call on the file at full. Some systems answer
// "file not found" when its folder is missing too (Wine does, even for a
// missing drive), so the folder is looked at before the error is named.
[[noreturn]] void throwFailure(DWORD code, const std::wstring& full, const std::string& path);

bool isFolder(const std::wstring& path);
// The folder part of a full path, with its closing backslash.
std::wstring folderOf(const std::wstring& full);
// The full path of path; a failure is reported under shown.
std::wstring fullPath(const std::wstring& path, const std::string& shown);
// The file a link finally names, so that replacing it keeps the link: the
// path itself when it is no link, nothing when the link leads nowhere.
std::optional<std::wstring> resolveLink(const std::wstring& path);

}  // namespace zonora
