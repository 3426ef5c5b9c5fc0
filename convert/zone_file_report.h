#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "convert/zone_file_reader.h"

namespace zonora {

// How `check`, `diff` and the page word what the reader found, so that every
// front end tells it alike.

// A note other than WordStops (which is told as the conversion's own error
// report), in one line without its end: "Line 3 of NAME passed over: ...",
// "\"2.5\" on line 4 of NAME taken as 2 (row 1, column 15)". Without a name,
// " of NAME" is left out.
std::string noteText(const MapNote& note, std::string_view name = {});

// "256 values: converts unasked", "N values, fewer than 256: the conversion
// asks before going on", or for a Map that stops, "N values: the conversion
// stops at the first error " followed by where the notes are shown.
std::string mapVerdict(const ZoneFileReading& reading, std::string_view notesAre);

// "1 value", "N values".
std::string valuesText(std::size_t count);

// "1 zone differs", "N zones differ".
std::string differingText(std::size_t count);

}  // namespace zonora
