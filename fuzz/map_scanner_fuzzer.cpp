// The Map scanner on arbitrary bytes. It returns a count from 0 to 256 with
// the zones past the count left at 0, or raises error 6 or 9 and nothing else;
// where the reads happen to break the file does not change the result; the
// memory it holds stays under a fixed bound whatever the file's size; and an
// observer, which never stops it, is told of a stop exactly when it stops and
// changes nothing otherwise.
#include <cstdint>
#include <optional>
#include <span>

#include "fuzz/allocation_meter.h"
#include "fuzz/fuzz_check.h"
#include "platform/runtime_error.h"
#include "tests/support/memory_files.h"
#include "zone/map_file.h"

namespace {

using zonora::ScannedMap;

// The scanner's read buffer plus room for a line and a word; no input may
// make it hold more.
constexpr std::size_t kMemoryBound = 96 * 1024;

struct Outcome {
    std::optional<ScannedMap> map;
    int error = 0;
};

struct StopWatcher : zonora::MapScanObserver {
    void linePassedOver(std::size_t, std::size_t, std::string_view) override {}
    void wordPassedOver(const zonora::MapWord&) override {}
    void wordTaken(const zonora::MapWord&, std::size_t, std::uint8_t) override {}
    void wordStops(const zonora::MapWord&, const zonora::RuntimeError&) override { stopped = true; }
    bool stopped = false;
};

Outcome scan(std::span<const std::uint8_t> bytes, std::size_t readSize, std::size_t repeat) {
    zonora::test::MemoryInputFile file(bytes, readSize, repeat);
    try {
        return {zonora::scanMapFile(file), 0};
    } catch (const zonora::RuntimeError& error) {
        return {std::nullopt, error.number};
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // The first two bytes choose how the file is read: the size of each read
    // and how many times the rest is repeated to make a long file.
    const std::size_t readSize = 1 + data[0] % 97;
    const std::size_t repeat = 1 + data[1] % 64;
    const std::span<const std::uint8_t> bytes(data + 2, size - 2);

    Outcome whole;
    {
        const zonora::fuzz::AllocationMeter meter;
        whole = scan(bytes, 0, repeat);
        FUZZ_CHECK(meter.peak() > 0);  // the meter sees the scanner's buffer
        FUZZ_CHECK(meter.peak() <= kMemoryBound);
    }
    if (whole.map) {
        FUZZ_CHECK(whole.map->count <= zonora::kZoneCount);
        for (std::size_t k = whole.map->count; k < zonora::kZoneCount; ++k) {
            FUZZ_CHECK(whole.map->zones[k] == 0);
        }
    } else {
        FUZZ_CHECK(whole.error == zonora::errors::kOverflow ||
                   whole.error == zonora::errors::kSubscriptOutOfRange);
    }

    StopWatcher watcher;
    zonora::test::MemoryInputFile observed(bytes, readSize, repeat);
    const ScannedMap seen = zonora::scanMapFile(observed, {}, &watcher);
    FUZZ_CHECK(watcher.stopped == !whole.map.has_value());
    if (whole.map) {
        FUZZ_CHECK(seen.count == whole.map->count);
        FUZZ_CHECK(seen.zones == whole.map->zones);
    }

    const Outcome pieces = scan(bytes, readSize, repeat);
    FUZZ_CHECK(pieces.error == whole.error);
    FUZZ_CHECK(pieces.map.has_value() == whole.map.has_value());
    if (whole.map) {
        FUZZ_CHECK(pieces.map->count == whole.map->count);
        FUZZ_CHECK(pieces.map->zones == whole.map->zones);
    }
    return 0;
}
