#include "platform/win32/win32_input_file.h"

#include <algorithm>

#include "platform/win32/win32_file_paths.h"

namespace zonora {
namespace {

// Reads go through the handle's own position: a positioned (OVERLAPPED)
// transfer costs Wine a round trip to its server for the completion, and
// moving the position costs none.
void moveTo(HANDLE file, std::uint64_t offset, const std::string& path) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!::SetFilePointerEx(file, position, nullptr, FILE_BEGIN)) throwLastError(path);
}

}  // namespace

std::size_t Win32InputFile::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    moveTo(file_.get(), offset, path_);
    std::size_t done = 0;
    while (done < out.size()) {
        const auto want = static_cast<DWORD>(std::min(out.size() - done, kLargestTransfer));
        DWORD got = 0;
        if (!::ReadFile(file_.get(), out.data() + done, want, &got, nullptr)) {
            throwLastError(path_);
        }
        if (got == 0) break;
        done += got;
    }
    return done;
}

std::size_t Win32InputFile::read(std::span<char> out) {
    const std::size_t got =
        readAt(next_, {reinterpret_cast<std::uint8_t*>(out.data()), out.size()});
    next_ += got;
    return got;
}

std::uint64_t Win32InputFile::size() {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file_.get(), &size)) throwLastError(path_);
    return static_cast<std::uint64_t>(size.QuadPart);
}

}  // namespace zonora
