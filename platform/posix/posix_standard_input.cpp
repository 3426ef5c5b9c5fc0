#include "platform/posix/posix_standard_input.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/file_error.h"

namespace zonora {
namespace {
constexpr std::size_t kReadChunk = 64 * 1024;
}

std::vector<std::uint8_t> PosixStandardInput::readAll() {
    std::vector<std::uint8_t> bytes;
    for (;;) {
        const std::size_t done = bytes.size();
        bytes.resize(done + kReadChunk);
        const ssize_t n = ::read(STDIN_FILENO, bytes.data() + done, kReadChunk);
        if (n < 0 && errno == EINTR) {
            bytes.resize(done);
            continue;
        }
        if (n < 0) throw FileError({errno, std::generic_category()}, kStandardInputName);
        bytes.resize(done + static_cast<std::size_t>(n));
        if (n == 0) return bytes;
    }
}

}  // namespace zonora
