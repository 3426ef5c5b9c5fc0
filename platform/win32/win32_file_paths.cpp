#include "platform/win32/win32_file_paths.h"

#include "platform/file_error.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_handle.h"

namespace zonora {

void refuse(std::errc code, const std::string& path) {
    throw FileError(std::make_error_code(code), path);
}

void throwLastError(const std::string& path) { throwWin32Error(::GetLastError(), path); }

void throwFailure(DWORD code, const std::wstring& full, const std::string& path) {
    if (code == ERROR_FILE_NOT_FOUND && !isFolder(folderOf(full))) {
        throw FileError(win32Error(code), path, true);
    }
    throwWin32Error(code, path);
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring folderOf(const std::wstring& full) {
    return full.substr(0, full.find_last_of(L'\\') + 1);
}

std::wstring fullPath(const std::wstring& path, const std::string& shown) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) throwLastError(shown);
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

std::optional<std::wstring> resolveLink(const std::wstring& path) {
    UniqueHandle file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return std::nullopt;
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return path;
        if (length < final.size()) {
            final.resize(length);
            return final;
        }
        final.resize(length);
    }
}

}  // namespace zonora
