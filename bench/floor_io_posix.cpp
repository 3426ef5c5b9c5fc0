#include <fcntl.h>
#include <unistd.h>

#include "bench/floor_io.h"

namespace zonora::bench {
namespace {

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n <= 0) return false;
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return true;
}

bool syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

}  // namespace

long long openReadClose(const std::string& path, std::span<std::uint8_t> buffer) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    const ssize_t n = ::read(fd, buffer.data(), buffer.size());
    ::close(fd);
    return n;
}

bool replaceDurably(const std::string& folder, const std::string& temporary,
                    const std::string& target, std::span<const std::uint8_t> bytes) {
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) return false;
    if (::rename(temporary.c_str(), target.c_str()) != 0) return false;
    return syncFolder(folder);
}

}  // namespace zonora::bench
