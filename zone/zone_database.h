#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/file_system.h"
#include "zone/zone_table.h"

namespace zonora {

// Layout of the handheld's zone database (all header fields big-endian).
inline constexpr std::uint64_t kFirstRecordOffsetField = 78;  // 32-bit; the low half is read
inline constexpr std::uint64_t kFirstRecordLowOffset = 80;
inline constexpr int kLowestZonePosition = 2460;  // 1-based position of zone 0
inline constexpr int kHighestZonePosition = 2480;
inline constexpr std::uint64_t kTemplateRecordOffset = 2466;
inline constexpr std::uint64_t kTemplateZoneOffset = kTemplateRecordOffset + 1;  // zone k at +2k
inline constexpr std::uint64_t kTemplateMinimumSize = kTemplateZoneOffset + 2 * kZoneCount - 1;
inline constexpr std::size_t kNameFieldSize = 32;
inline constexpr std::size_t kLongestName = kNameFieldSize - 1;  // room for the NUL
inline constexpr std::size_t kClearedHeaderBytes = 5;

// Reads the zone table through the header's first-record offset. Empty when
// the offset lies outside the accepted window (not a zone database). Raises
// error 6 when the offset does not fit the signed 16-bit arithmetic of old.
// Bytes past the end of the file read as 0.
std::optional<ZoneTable> readZoneTable(InputFile& pdb);

// Throws unless the template has the one layout the writer patches.
void checkTemplate(InputFile& templateFile, const std::string& templatePath);

// Writes a new database: the template byte for byte, except zone k's byte at
// kTemplateZoneOffset + 2k, bytes 0 to 4 cleared, and the name (ANSI, at most
// kLongestName bytes) followed by its NUL at the start.
void writeZoneDatabase(InputFile& templateFile, OutputFile& pdb, const ZoneTable& zones,
                       std::string_view ansiName);

}  // namespace zonora
