#include "platform/win32/win32_data_output.h"

#include <algorithm>

#include "platform/file_error.h"
#include "platform/standard_output.h"
#include "platform/win32/win32_error.h"

namespace zonora {

bool Win32DataOutput::isTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(handle_, &mode) != 0;
}

void Win32DataOutput::write(std::span<const std::uint8_t> bytes) {
    if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) {
        throw FileError(win32Error(ERROR_INVALID_HANDLE), kStandardOutputName);
    }
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        if (!::WriteFile(handle_, bytes.data(), size, &written, nullptr)) {
            throw FileError(win32Error(::GetLastError()), kStandardOutputName);
        }
        bytes = bytes.subspan(written);
    }
}

}  // namespace zonora
