#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/temporary_name.h"
#include "platform/win32/win32_device_path.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_file_paths.h"
#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_input_file.h"
#include "platform/win32/win32_output_file.h"
#include "platform/win32/win32_text.h"

namespace zonora {
namespace {

// The longest name most volumes take, for a folder whose volume does not say.
constexpr std::size_t kUsualNameLimit = 255;

std::string uniqueTail() {
    static LONG counter = 0;
    const auto mix = static_cast<unsigned long>(::GetCurrentProcessId()) * 2654435761u ^
                     static_cast<unsigned long>(::GetTickCount64()) ^
                     static_cast<unsigned long>(::InterlockedIncrement(&counter)) * 40503u;
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), ".%08lx", mix & 0xFFFFFFFFul);
    return text.data();
}

struct FileIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
    bool operator==(const FileIdentity&) const = default;
};

// Asked of an open handle; slow under Wine, which asks its mount manager for
// the volume.
std::optional<FileIdentity> identify(const std::wstring& path) {
    UniqueHandle file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.valid() || !::GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// What one file shows under any of its names at one moment.
bool sameFacts(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b) {
    return a.nFileSizeHigh == b.nFileSizeHigh && a.nFileSizeLow == b.nFileSizeLow &&
           a.ftCreationTime.dwHighDateTime == b.ftCreationTime.dwHighDateTime &&
           a.ftCreationTime.dwLowDateTime == b.ftCreationTime.dwLowDateTime;
}

}  // namespace

std::size_t Win32FileSystem::nameLimit(const std::wstring& folder) {
    const std::lock_guard lock(mutex_);
    if (const auto known = nameLimits_.find(folder); known != nameLimits_.end()) {
        return known->second;
    }
    // Asked of the folder itself, which may be another volume's mount point;
    // by handle, as GetVolumeInformationW makes Wine complain about reading
    // the label of a drive it cannot read.
    UniqueHandle handle(::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    DWORD longest = 0;
    if (!handle.valid() ||
        !::GetVolumeInformationByHandleW(handle.get(), nullptr, 0, nullptr, &longest, nullptr,
                                         nullptr, 0) ||
        longest == 0) {
        return kUsualNameLimit;  // not kept: the system answers for such a folder itself
    }
    nameLimits_.emplace(folder, longest);
    return longest;
}

void Win32FileSystem::refuseOverlongName(const std::wstring& full, const std::string& path) {
    const std::size_t name = full.size() - (full.find_last_of(L'\\') + 1);
    if (name > nameLimit(folderOf(full))) throwWin32Error(ERROR_FILENAME_EXCED_RANGE, path);
}

std::unique_ptr<InputFile> Win32FileSystem::openRead(const std::string& path) {
    if (path.empty()) refuse(std::errc::no_such_file_or_directory, path);
    // A device could be read forever, or wait for input that never comes.
    if (isDevicePath(path)) refuse(std::errc::invalid_argument, path);
    const std::wstring wide = widen(path);
    const std::wstring full = fullPath(wide, path);
    refuseOverlongName(full, path);
    UniqueHandle file(::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_ACCESS_DENIED && isFolder(wide)) {
            refuse(std::errc::is_a_directory, path);
        }
        throwFailure(error, full, path);
    }
    // Asked of the open file, not of its path again.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) refuse(std::errc::invalid_argument, path);
    FILE_BASIC_INFO info{};
    if (::GetFileInformationByHandleEx(file.get(), FileBasicInfo, &info, sizeof info) &&
        (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        refuse(std::errc::is_a_directory, path);
    }
    auto input = std::make_unique<Win32InputFile>(file.get(), path);
    file.release();  // the input file owns it now
    return input;
}

std::wstring Win32FileSystem::replacementTarget(const std::string& path) {
    if (path.empty()) refuse(std::errc::no_such_file_or_directory, path);
    if (isDevicePath(path)) refuse(std::errc::invalid_argument, path);
    std::wstring target = fullPath(widen(path), path);
    if (isDevicePath(narrow(target))) refuse(std::errc::invalid_argument, path);

    // Past the ordinary path limit, or its volume's name limit, the name
    // itself is refused, rather than with whatever the first call that trips
    // over it happens to report.
    if (!target.starts_with(L"\\\\?\\") && target.size() >= MAX_PATH) {
        throwWin32Error(ERROR_FILENAME_EXCED_RANGE, path);
    }
    refuseOverlongName(target, path);

    // One look by path. Wine answers it without a round trip to its server,
    // and fails it for a device.
    WIN32_FILE_ATTRIBUTE_DATA old{};
    bool found = ::GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &old);
    if (found && (old.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        const auto linked = resolveLink(target);
        if (!linked) throwFailure(::GetLastError(), target, path);
        target = *linked;
        found = ::GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &old);
    }
    if (found) {
        refuseToReplace(old.dwFileAttributes, path);
    } else if (const DWORD error = ::GetLastError(); error != ERROR_FILE_NOT_FOUND) {
        throwFailure(error, target, path);
    }
    return target;
}

// Within both the longest name and, unless the path is literal, the longest
// ordinary path (MAX_PATH less the closing NUL); UTF-8 bytes never undercount
// UTF-16 units.
std::size_t Win32FileSystem::temporaryNameLimit(const std::wstring& folder,
                                                const std::wstring& target) {
    const std::size_t limit = nameLimit(folder);
    if (target.starts_with(L"\\\\?\\")) return limit;
    return std::min<std::size_t>(limit,
                                 folder.size() < MAX_PATH - 1 ? MAX_PATH - 1 - folder.size() : 0);
}

std::unique_ptr<OutputFile> Win32FileSystem::replace(const std::string& path) {
    std::wstring target = replacementTarget(path);
    const std::wstring folder = folderOf(target);
    const std::string name = narrow(std::wstring_view(target).substr(folder.size()));
    const std::size_t limit = temporaryNameLimit(folder, target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring temporary = folder + widen(temporaryFileName(name, uniqueTail(), limit));
        // DELETE, so that the file can be renamed through this handle.
        HANDLE handle = ::CreateFileW(temporary.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0,
                                      nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            return std::make_unique<Win32OutputFile>(path, std::move(target), std::move(temporary),
                                                     handle);
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            throwFailure(error, temporary, path);
        }
    }
    throwWin32Error(ERROR_FILE_EXISTS, path);
}

bool Win32FileSystem::exists(const std::string& path) {
    if (path.empty() || isDevicePath(path)) return false;
    const DWORD attributes = ::GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::sameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty() || isDevicePath(a) || isDevicePath(b)) return false;
    const std::wstring first = widen(a);
    const std::wstring second = widen(b);
    WIN32_FILE_ATTRIBUTE_DATA factsA{};
    WIN32_FILE_ATTRIBUTE_DATA factsB{};
    if (!::GetFileAttributesExW(first.c_str(), GetFileExInfoStandard, &factsA) ||
        !::GetFileAttributesExW(second.c_str(), GetFileExInfoStandard, &factsB)) {
        return false;
    }
    // Files that differ in size or birth are two, told without opening
    // either; a link shows its own facts, not its file's.
    const bool link =
        (factsA.dwFileAttributes | factsB.dwFileAttributes) & FILE_ATTRIBUTE_REPARSE_POINT;
    if (!link && !sameFacts(factsA, factsB)) return false;
    const auto identityA = identify(first);
    if (!identityA) return false;
    const auto identityB = identify(second);
    return identityB && *identityA == *identityB;
}

}  // namespace zonora
