// The least any program must do for the same file work, measured with the
// same durability as the product's replacement: the new file is fsynced before
// the rename, and the folder after it.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bench/bench_names.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"

namespace zonora::bench {
namespace {

using test::TempFolder;

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
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

// Writes bytes to a new file beside the target, makes it durable and renames
// it over the target.
bool replaceDurably(const TempFolder& folder, const std::string& target, const std::uint8_t* data,
                    std::size_t size) {
    const std::string temporary = folder.file(".floor-new");
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool written = writeAll(fd, data, size) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) return false;
    if (::rename(temporary.c_str(), target.c_str()) != 0) return false;
    return syncFolder(folder.path().string());
}

void openReadClose(benchmark::State& state) {
    TempFolder folder;
    const std::string path = folder.file("source.pdb");
    test::writeBytes(path, std::vector<std::uint8_t>(2978, 0x5A));
    std::array<std::uint8_t, 514> buffer{};
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || ::read(fd, buffer.data(), buffer.size()) != 514) {
            state.SkipWithError("open or read failed");
            break;
        }
        ::close(fd);
        benchmark::DoNotOptimize(buffer);
    }
}

void writeRename(benchmark::State& state) {
    TempFolder folder;
    const std::string target = folder.file("target.map");
    const std::vector<std::uint8_t> text(1536, ' ');
    for (auto _ : state) {
        if (!replaceDurably(folder, target, text.data(), text.size())) {
            state.SkipWithError("write or rename failed");
            break;
        }
    }
}

void copyRename(benchmark::State& state) {
    TempFolder folder;
    const std::string source = folder.file("template.org");
    const std::string target = folder.file("target.pdb");
    test::writeBytes(source, test::makeZoneDatabase(test::sampleZones()));
    std::vector<std::uint8_t> buffer(4096);
    for (auto _ : state) {
        const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
        const ssize_t n = fd < 0 ? -1 : ::read(fd, buffer.data(), buffer.size());
        if (fd >= 0) ::close(fd);
        if (n != 2978 ||
            !replaceDurably(folder, target, buffer.data(), static_cast<std::size_t>(n))) {
            state.SkipWithError("copy failed");
            break;
        }
    }
}

BENCHMARK(openReadClose)->Name(kFloorRead)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(writeRename)->Name(kFloorWrite)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(copyRename)->Name(kFloorCopy)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zonora::bench
