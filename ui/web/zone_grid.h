#pragma once

#include <string>

#include "platform/file_system.h"

namespace zonora::web {

// What the page shows of a zone file before it is converted, as JSON for
// page.js to draw: its kind, its 256 zones (a Map's past its count are 0),
// its count, its status with the report a conversion would give, and for a
// Map each thing the scanner does without a word (a line or a word passed
// over, a word rounded, a word that stops it) with the zone it concerns.
// With a second file, the zones that differ between the two and their count,
// numbered as `zonora diff` numbers them. An empty path stands for no file.
std::string zoneGridJson(const std::string& shown, const std::string& compared, FileSystem& files);

}  // namespace zonora::web
