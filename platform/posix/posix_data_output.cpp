#include "platform/posix/posix_data_output.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/file_error.h"
#include "platform/standard_output.h"

namespace zonora {

bool PosixDataOutput::isTerminal() { return ::isatty(STDOUT_FILENO) == 1; }

void PosixDataOutput::write(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw FileError({errno, std::generic_category()}, kStandardOutputName);
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
}

}  // namespace zonora
