#include "platform/win32/win32_standard_input.h"

#include <windows.h>

#include "platform/file_error.h"
#include "platform/win32/win32_error.h"

namespace zonora {
namespace {
constexpr DWORD kReadChunk = 64 * 1024;
}

std::vector<std::uint8_t> Win32StandardInput::readAll() {
    std::vector<std::uint8_t> bytes;
    const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    if (input == nullptr || input == INVALID_HANDLE_VALUE) return bytes;
    for (;;) {
        const std::size_t done = bytes.size();
        bytes.resize(done + kReadChunk);
        DWORD n = 0;
        if (!::ReadFile(input, bytes.data() + done, kReadChunk, &n, nullptr)) {
            const DWORD error = ::GetLastError();
            bytes.resize(done);
            // The writing end of a pipe closed: the end of the input.
            if (error == ERROR_BROKEN_PIPE) return bytes;
            throw FileError(win32Error(error), kStandardInputName);
        }
        bytes.resize(done + n);
        if (n == 0) return bytes;
    }
}

}  // namespace zonora
