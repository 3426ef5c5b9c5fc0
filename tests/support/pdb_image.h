#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zone/zone_table.h"

namespace zonora::test {

// A complete, well-formed zone database: 78-byte header, one record-list
// entry, an application-info block that fills the gap, and one 512-byte
// record of 256 big-endian words at recordOffset. The high byte of each zone
// word is 0xA0 + k % 64 so that a writer that loses it is caught.
std::vector<std::uint8_t> makeZoneDatabase(const ZoneTable& zones,
                                           std::uint16_t recordOffset = 2466,
                                           const std::string& name = "ZoneTemplate");

// A table whose entries all differ from their neighbours: 7k + 3 modulo 256.
ZoneTable sampleZones();

}  // namespace zonora::test
