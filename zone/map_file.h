#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "zone/zone_table.h"

namespace zonora {

// "Druma " + name + ".PDB convert on " + date + " " + time, on one line: a
// line break or a NUL in the pieces is written as '?'.
std::string mapFileHeader(std::string_view baseName, std::string_view date, std::string_view time);

// Whether a line (without its end) is a header as mapFileHeader writes it.
// A line with a NUL byte is not text, so not a header: a PDB's name may
// begin the same way.
bool isMapHeader(std::string_view line);

// The whole Map file: the header (already ANSI), two empty lines and the 16 by
// 16 grid of right-aligned 4-character fields, every line ending in CR LF.
std::string formatMapFile(const ZoneTable& zones, std::string_view ansiHeader);

struct ScannedMap {
    ZoneTable zones{};
    std::size_t count = 0;  // values read, 0 to 256
};

// Reads a possibly hand-edited Map file in bounded memory. Raises error 6 for
// a value that rounds outside 0 to 255 and error 9 for a 257th value; their
// descriptions name the path given here, the line (from 1) and the word.
ScannedMap scanMapFile(InputFile& map, std::string_view path = {});

// The numeric value a word begins with: sign, digits, fraction, exponent; tabs
// and line feeds inside are skipped; 0 when the word does not begin with one.
double wordValue(std::string_view word);

}  // namespace zonora
