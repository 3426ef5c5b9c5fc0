#include "zone/zone_database.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/runtime_error.h"

namespace zonora {
namespace {

// The block spans the low byte of word 0 to the low byte of word 255.
constexpr std::size_t kZoneBlockSpan = 2 * kZoneCount - 1;
constexpr std::size_t kCopyChunk = 64 * 1024;
constexpr int kLargestSigned16 = 32767;

}  // namespace

std::optional<ZoneTable> readZoneTable(InputFile& pdb) {
    std::array<std::uint8_t, 2> header{};  // missing bytes count as 0
    pdb.readAt(kFirstRecordLowOffset, header);
    // The offset was computed in signed 16-bit arithmetic; what does not fit
    // overflows rather than wrapping.
    if (header[0] >= 128) throw RuntimeError(errors::kOverflow);
    const int recordOffset = header[0] * 256 + header[1];
    if (recordOffset + 2 > kLargestSigned16) throw RuntimeError(errors::kOverflow);
    const int zonePosition = recordOffset + 2;
    if (zonePosition < kLowestZonePosition || zonePosition > kHighestZonePosition) {
        return std::nullopt;
    }

    std::array<std::uint8_t, kZoneBlockSpan> block{};
    pdb.readAt(static_cast<std::uint64_t>(recordOffset) + 1, block);
    ZoneTable zones{};
    for (std::size_t k = 0; k < kZoneCount; ++k) zones[k] = block[2 * k];
    return zones;
}

void checkTemplate(InputFile& templateFile, const std::string& templatePath) {
    std::array<std::uint8_t, 4> field{};
    const bool complete = templateFile.size() >= kTemplateMinimumSize &&
                          templateFile.readAt(kFirstRecordOffsetField, field) == field.size();
    const std::uint64_t recordOffset = (std::uint64_t{field[0]} << 24) |
                                       (std::uint64_t{field[1]} << 16) |
                                       (std::uint64_t{field[2]} << 8) | field[3];
    if (!complete || recordOffset != kTemplateRecordOffset) {
        throw RuntimeError(errors::kInvalidFileFormat,
                           "Invalid file format: the template " + templatePath +
                               " is not a zone database of the expected layout");
    }
}

void writeZoneDatabase(InputFile& templateFile, OutputFile& pdb, const ZoneTable& zones,
                       std::string_view ansiName) {
    // Every patched byte lies in the head, so the head is patched in memory and
    // the whole copy goes out in order.
    std::vector<std::uint8_t> chunk(std::max<std::size_t>(kCopyChunk, kTemplateMinimumSize));
    std::size_t n = templateFile.readAt(0, chunk);
    if (n < kTemplateMinimumSize) {
        throw RuntimeError(errors::kInvalidFileFormat, "Invalid file format: template too short");
    }
    for (std::size_t k = 0; k < kZoneCount; ++k) chunk[kTemplateZoneOffset + 2 * k] = zones[k];
    // Cleared bytes first, then the name over them, so the name always ends
    // with a NUL inside the field.
    std::fill_n(chunk.begin(), kClearedHeaderBytes, 0);
    const std::size_t length = std::min(ansiName.size(), kLongestName);
    for (std::size_t i = 0; i < length; ++i) chunk[i] = static_cast<std::uint8_t>(ansiName[i]);
    chunk[length] = 0;

    for (std::uint64_t offset = 0; n > 0; n = templateFile.readAt(offset, chunk)) {
        pdb.write(std::span(chunk).first(n));
        offset += n;
    }
}

}  // namespace zonora
