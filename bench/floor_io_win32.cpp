// The calls the Win32 file layer makes for the same work, without its checks
// (devices, links, read-only targets) and without ReplaceFileW's keeping of
// the old file's attributes: MoveFileExW with write-through is the least
// durable replacement Windows offers.
#include <windows.h>

#include "bench/floor_io.h"
#include "platform/win32/win32_text.h"

namespace zonora::bench {

long long openReadClose(const std::string& path, std::span<std::uint8_t> buffer) {
    const HANDLE file =
        ::CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    DWORD got = 0;
    const bool read =
        ::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) != 0;
    ::CloseHandle(file);
    return read ? static_cast<long long>(got) : -1;
}

bool replaceDurably(const std::string&, const std::string& temporary, const std::string& target,
                    std::span<const std::uint8_t> bytes) {
    const std::wstring from = widen(temporary);
    const HANDLE file = ::CreateFileW(from.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD wrote = 0;
    const bool written =
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) != 0 &&
        wrote == bytes.size() && ::FlushFileBuffers(file) != 0;
    if (!::CloseHandle(file) || !written) return false;
    return ::MoveFileExW(from.c_str(), widen(target).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace zonora::bench
