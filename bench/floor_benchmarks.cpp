// The least any program must do for the same file work, measured with the
// same durability as the product's replacement: the new file is on the disk
// before the rename, and the rename after it.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bench/bench_names.h"
#include "bench/floor_io.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"

namespace zonora::bench {
namespace {

using test::TempFolder;

void readFloor(benchmark::State& state) {
    TempFolder folder;
    const std::string path = folder.file("source.pdb");
    test::writeBytes(path, std::vector<std::uint8_t>(2978, 0x5A));
    std::array<std::uint8_t, 514> buffer{};
    for (auto _ : state) {
        if (openReadClose(path, buffer) != 514) {
            state.SkipWithError("open or read failed");
            break;
        }
        benchmark::DoNotOptimize(buffer);
    }
}

void writeFloor(benchmark::State& state) {
    TempFolder folder;
    const std::string path = test::toUtf8(folder.path());
    const std::string temporary = folder.file(".floor-new");
    const std::string target = folder.file("target.map");
    const std::vector<std::uint8_t> text(1536, ' ');
    for (auto _ : state) {
        if (!replaceDurably(path, temporary, target, text)) {
            state.SkipWithError("write or rename failed");
            break;
        }
    }
}

void copyFloor(benchmark::State& state) {
    TempFolder folder;
    const std::string path = test::toUtf8(folder.path());
    const std::string temporary = folder.file(".floor-new");
    const std::string source = folder.file("template.org");
    const std::string target = folder.file("target.pdb");
    test::writeBytes(source, test::makeZoneDatabase(test::sampleZones()));
    std::vector<std::uint8_t> buffer(4096);
    for (auto _ : state) {
        const long long n = openReadClose(source, buffer);
        if (n != 2978 || !replaceDurably(path, temporary, target,
                                         std::span(buffer).first(static_cast<std::size_t>(n)))) {
            state.SkipWithError("copy failed");
            break;
        }
    }
}

BENCHMARK(readFloor)->Name(kFloorRead)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(writeFloor)->Name(kFloorWrite)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(copyFloor)->Name(kFloorCopy)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zonora::bench
