// The least any program must do for the same file work, measured with the
// same durability as the product's replacement: the new file is on the disk
// before the rename, and the rename after it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bench/bench_names.h"
#include "bench/floor_io.h"
#include "bench/harness.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"

namespace zonora::bench {
namespace {

using test::TempFolder;

void readFloor(Loop& loop) {
    TempFolder folder;
    const std::string path = folder.file("source.pdb");
    test::writeBytes(path, std::vector<std::uint8_t>(2978, 0x5A));
    std::array<std::uint8_t, 514> buffer{};
    while (loop.next()) {
        if (openReadClose(path, buffer) != 514) {
            loop.fail("open or read failed");
            break;
        }
        keep(buffer);
    }
}

void writeFloor(Loop& loop) {
    TempFolder folder;
    const std::string path = test::toUtf8(folder.path());
    const std::string temporary = folder.file(".floor-new");
    const std::string target = folder.file("target.map");
    const std::vector<std::uint8_t> text(1536, ' ');
    while (loop.next()) {
        if (!replaceDurably(path, temporary, target, text)) {
            loop.fail("write or rename failed");
            break;
        }
    }
}

void copyFloor(Loop& loop) {
    TempFolder folder;
    const std::string path = test::toUtf8(folder.path());
    const std::string temporary = folder.file(".floor-new");
    const std::string source = folder.file("template.org");
    const std::string target = folder.file("target.pdb");
    test::writeBytes(source, test::makeZoneDatabase(test::sampleZones()));
    std::vector<std::uint8_t> buffer(4096);
    while (loop.next()) {
        const long long n = openReadClose(source, buffer);
        if (n != 2978 || !replaceDurably(path, temporary, target,
                                         std::span(buffer).first(static_cast<std::size_t>(n)))) {
            loop.fail("copy failed");
            break;
        }
    }
}

}  // namespace

std::vector<Case> floorCases() {
    return {
        {kFloorRead, readFloor},
        {kFloorWrite, writeFloor},
        {kFloorCopy, copyFloor},
    };
}

}  // namespace zonora::bench
