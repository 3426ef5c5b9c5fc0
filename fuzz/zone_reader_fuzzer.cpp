// The zone-table reader, the template check and the writer on arbitrary PDB
// bytes. The reader's outcome follows from bytes 80 and 81 alone: error 6,
// not a zone database, or the 256 low bytes of the zone words (0 past the
// end). A template the check accepts is written over byte for byte except for
// the zones and the name, and the written file reads back to the same table.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "fuzz/allocation_meter.h"
#include "fuzz/fuzz_check.h"
#include "platform/runtime_error.h"
#include "tests/support/memory_files.h"
#include "tests/support/pdb_image.h"
#include "zone/zone_database.h"

namespace {

using zonora::ZoneTable;
using zonora::test::MemoryInputFile;
using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t kMemoryBound = 4 * 1024;  // the block and the header, nothing more

std::uint8_t byteAt(Bytes bytes, std::size_t offset) {
    return offset < bytes.size() ? bytes[offset] : 0;
}

void checkReader(Bytes bytes) {
    const int high = byteAt(bytes, 80);
    const int low = byteAt(bytes, 81);
    const int recordOffset = high * 256 + low;
    const bool overflow = high >= 128 || recordOffset >= 32766;
    const bool inWindow = recordOffset >= 2458 && recordOffset <= 2478;

    MemoryInputFile file(bytes);
    std::optional<ZoneTable> zones;
    int error = 0;
    {
        const zonora::fuzz::AllocationMeter meter;
        try {
            zones = zonora::readZoneTable(file);
        } catch (const zonora::RuntimeError& e) {
            error = e.number;
        }
        FUZZ_CHECK(meter.peak() <= kMemoryBound);
    }
    FUZZ_CHECK((error == zonora::errors::kOverflow) == overflow);
    FUZZ_CHECK(error == 0 || error == zonora::errors::kOverflow);
    if (overflow) return;
    FUZZ_CHECK(zones.has_value() == inWindow);
    if (!zones) return;
    FUZZ_CHECK(zones->size() == 256);
    for (std::size_t k = 0; k < zonora::kZoneCount; ++k) {
        FUZZ_CHECK((*zones)[k] ==
                   byteAt(bytes, static_cast<std::size_t>(recordOffset) + 1 + 2 * k));
    }
}

bool acceptable(Bytes bytes) {
    if (bytes.size() < 2978) return false;
    const std::uint32_t field = (std::uint32_t{bytes[78]} << 24) |
                                (std::uint32_t{bytes[79]} << 16) | (std::uint32_t{bytes[80]} << 8) |
                                bytes[81];
    return field == 2466;
}

void checkWriter(Bytes bytes, const ZoneTable& zones, const std::string& name) {
    MemoryInputFile templateFile(bytes);
    bool accepted = true;
    try {
        zonora::checkTemplate(templateFile, "Kolpa.org");
    } catch (const zonora::RuntimeError& e) {
        FUZZ_CHECK(e.number == zonora::errors::kInvalidFileFormat);
        accepted = false;
    }
    FUZZ_CHECK(accepted == acceptable(bytes));
    if (!accepted) return;

    zonora::test::MemoryFileSystem files;
    {
        auto out = files.replace("new.pdb");
        zonora::writeZoneDatabase(templateFile, *out, zones, name);
        out->commit();
    }
    const std::vector<std::uint8_t>& written = files.files.at("new.pdb");
    FUZZ_CHECK(written ==
               zonora::test::patchedZoneDatabase({bytes.begin(), bytes.end()}, zones, name));

    MemoryInputFile back(written);
    const auto read = zonora::readZoneTable(back);
    FUZZ_CHECK(read.has_value() && *read == zones);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes(data, size);
    checkReader(bytes);

    // Zones and a name drawn from the input itself, for the writer.
    ZoneTable zones{};
    for (std::size_t k = 0; k < zonora::kZoneCount; ++k) {
        zones[k] = static_cast<std::uint8_t>(
            byteAt(bytes, size - 1 - k % std::max<std::size_t>(size, 1)) ^ k);
    }
    const std::size_t nameLength = size == 0 ? 0 : data[0] % 40;
    const std::string name(reinterpret_cast<const char*>(data), std::min(nameLength, size));
    checkWriter(bytes, zones, name);
    return 0;
}
