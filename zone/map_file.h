#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "zone/zone_table.h"

namespace zonora {

// The whole Map file: the header (already ANSI), two empty lines and the 16 by
// 16 grid of right-aligned 4-character fields, every line ending in CR LF.
std::string formatMapFile(const ZoneTable& zones, std::string_view ansiHeader);

// The Map shows the table as a grid of 16 rows of 16 zones.
inline constexpr std::size_t kGridWidth = 16;

// Where a zone stands in the grid, row and column both from 1.
struct GridPlace {
    std::size_t row = 0;
    std::size_t column = 0;
};
constexpr GridPlace gridPlace(std::size_t zone) {
    return {zone / kGridWidth + 1, zone % kGridWidth + 1};
}

// A data line has 60 to 126 characters; the scanner passes over the others.
inline constexpr std::size_t kShortestDataLine = 60;
inline constexpr std::size_t kLongestDataLine = 126;

struct ScannedMap {
    ZoneTable zones{};
    // Values read, 0 to 256; with an observer every value, so more than 256
    // when the file holds more.
    std::size_t count = 0;
};

// A word of a data line as the scanner met it; lines count from 1.
struct MapWord {
    std::size_t line = 0;
    std::string_view text;
    double value = 0;  // wordValue(text)
};

// Told what the scanner does that a conversion does not show, for a report on
// a Map file before it is converted. With an observer the scan goes on past a
// word that would stop it, so that every such word is told.
class MapScanObserver {
  public:
    virtual ~MapScanObserver() = default;
    // A line of under 60 or over 126 characters, or the Map's own header on
    // the first line; start holds its first 127 characters at most.
    virtual void linePassedOver(std::size_t line, std::size_t length, std::string_view start) = 0;
    // A word of 256 or more: no zone is made of it.
    virtual void wordPassedOver(const MapWord& word) = 0;
    // A word made zone number `zone` (0 to 255) with the value `made`.
    virtual void wordTaken(const MapWord& word, std::size_t zone, std::uint8_t made) = 0;
    // A word that stops the conversion, with the error it raises there: one
    // that rounds outside 0 to 255 (its place is kept, so that later words
    // keep theirs) and the 257th value; later values are only counted.
    virtual void wordStops(const MapWord& word, const RuntimeError& error) = 0;
};

// Reads a possibly hand-edited Map file in bounded memory. Raises error 6 for
// a value that rounds outside 0 to 255 and error 9 for a 257th value; their
// descriptions name the path given here, the line (from 1) and the word.
// The text is read as MapTextReader (zone/map_text.h) gives it.
ScannedMap scanMapFile(InputFile& map, std::string_view path = {},
                       MapScanObserver* observer = nullptr);

// The numeric value a word begins with: sign, digits, fraction, exponent; tabs
// and line feeds inside are skipped; 0 when the word does not begin with one.
double wordValue(std::string_view word);

// A word as a message shows it: bytes that are not printable ASCII become
// '?', since the file's code page is not the message's.
std::string printableWord(std::string_view word);

}  // namespace zonora
