#include "platform/win32/win32_error.h"

#include <windows.h>

#include <optional>
#include <string_view>

#include "platform/file_error.h"
#include "platform/win32/win32_text.h"

namespace zonora {
namespace {

// The one std::errc each Windows code is numbered by; the rest fall through
// to the table's catch-all.
std::optional<std::errc> conditionOf(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return std::errc::no_such_file_or_directory;
        case ERROR_DIRECTORY:
            return std::errc::not_a_directory;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
        case ERROR_NETWORK_ACCESS_DENIED:
        case ERROR_USER_MAPPED_FILE:
        case ERROR_UNABLE_TO_REMOVE_REPLACED:
        case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
        case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
            return std::errc::permission_denied;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
        case ERROR_FILE_TOO_LARGE:
            return std::errc::no_space_on_device;
        case ERROR_TOO_MANY_OPEN_FILES:
            return std::errc::too_many_files_open;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return std::errc::filename_too_long;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return std::errc::file_exists;
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_GEN_FAILURE:
        case ERROR_IO_DEVICE:
        case ERROR_NOT_READY:
        case ERROR_SEEK:
        case ERROR_SECTOR_NOT_FOUND:
            return std::errc::io_error;
        default:
            return std::nullopt;
    }
}

class Win32Category final : public std::error_category {
  public:
    const char* name() const noexcept override { return "win32"; }

    std::string message(int code) const override {
        wchar_t* text = nullptr;
        const DWORD length = ::FormatMessageW(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                FORMAT_MESSAGE_IGNORE_INSERTS,
            nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        if (length == 0 || text == nullptr) return "Windows error " + std::to_string(code);
        std::wstring message(text, length);
        ::LocalFree(text);
        while (!message.empty() &&
               std::wstring_view(L"\r\n. ").find(message.back()) != std::wstring_view::npos) {
            message.pop_back();
        }
        return narrow(message);
    }

    std::error_condition default_error_condition(int code) const noexcept override {
        if (const auto condition = conditionOf(static_cast<DWORD>(code))) {
            return std::make_error_condition(*condition);
        }
        return {code, *this};
    }
};

}  // namespace

std::error_code win32Error(unsigned long code) {
    static const Win32Category category;
    return {static_cast<int>(code), category};
}

void throwWin32Error(unsigned long code, const std::string& path) {
    const bool folderMissing = code == ERROR_PATH_NOT_FOUND || code == ERROR_INVALID_DRIVE ||
                               code == ERROR_BAD_NETPATH || code == ERROR_BAD_NET_NAME;
    throw FileError(win32Error(code), path, folderMissing);
}

}  // namespace zonora
