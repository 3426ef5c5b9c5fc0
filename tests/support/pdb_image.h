#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zone/zone_table.h"

namespace zonora::test {

// Where makeZoneDatabase puts the zone record unless told otherwise.
inline constexpr std::size_t kRecordOffset = 2466;

// A complete, well-formed zone database: 78-byte header, one record-list
// entry, an application-info block that fills the gap, and one 512-byte
// record of 256 big-endian words at recordOffset. The high byte of each zone
// word is 0xA0 + k % 64 so that a writer that loses it is caught.
std::vector<std::uint8_t> makeZoneDatabase(const ZoneTable& zones,
                                           std::uint16_t recordOffset = kRecordOffset,
                                           const std::string& name = "ZoneTemplate");

// What writing zones and a name into a template must give, built from the
// layout rules rather than by the writer: the template with the zone bytes
// and the name field's start replaced. The name is given as written (Windows
// text) and cut to 31 bytes; bytes of the field past its NUL are kept.
std::vector<std::uint8_t> patchedZoneDatabase(std::vector<std::uint8_t> templateBytes,
                                              const ZoneTable& zones, const std::string& name);

// A table whose entries all differ from their neighbours: 7k + 3 modulo 256.
ZoneTable sampleZones();

}  // namespace zonora::test
