#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "convert/zone_file_kind.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "zone/zone_table.h"

namespace zonora {

// Something the Map scanner does that a conversion does not show. Every Map
// has empty lines and its header, and a plain whole number is taken as it
// reads: none of these is a note.
struct MapNote {
    enum class Kind {
        LinePassedOver,  // under 60 or over 126 characters: its words are not read
        WordPassedOver,  // 256 or more: no zone is made, so later zones move up one place
        WordTaken,       // not a plain whole number: zone `zone` is made `value`
        WordStops,       // stops the conversion with `error`
    };
    Kind kind = Kind::LinePassedOver;
    std::size_t line = 0;    // from 1
    std::size_t length = 0;  // LinePassedOver: the line's length in characters
    std::string word;        // the word's bytes as read; empty for a line
    // WordTaken: 0 to 255; LinePassedOver: the values read before it, so the
    // zone the next value makes when that is under 256
    std::size_t zone = 0;
    std::uint8_t value = 0;             // WordTaken
    std::optional<RuntimeError> error;  // WordStops
};

// What a zone file holds, as the conversions would read it.
struct ZoneFileReading {
    enum class Status {
        Read,        // zones and count hold what the file gives
        Stops,       // a Map with a word that stops the conversion; error is the first
        InvalidPdb,  // a PDB whose header lies outside the window of a zone database
        Failed,      // not read: a file error, or a PDB header that overflows
    };
    ZoneFileKind kind = ZoneFileKind::Map;
    Status status = Status::Read;
    ZoneTable zones{};  // zones past the count stay 0
    // A Map's values, past 256 too, so more than 256 when it holds more; 256
    // for a PDB that reads.
    std::size_t count = 0;
    std::vector<MapNote> notes;         // a Map's, line by line
    std::optional<RuntimeError> error;  // Stops and Failed: what the conversion would report
};

// Reads an open file as the given kind, the Map to its end. path is what the
// errors' descriptions name. Throws what reading throws (a file error, error 6
// for a PDB header that overflows); a Map's stopping words are notes.
ZoneFileReading readZoneFile(InputFile& file, const std::string& path, ZoneFileKind kind);

// Opens the file at path once, tells its kind by its name and first line
// unless the kind is given, reads it and closes it. Never throws: a file that
// cannot be read is Failed.
ZoneFileReading readZoneFile(const std::string& path, FileSystem& files,
                             std::optional<ZoneFileKind> kind = std::nullopt);

// The same for a file's bytes (standard input, a file a page was given): its
// kind, unless given, told by its content; name is what errors name.
ZoneFileReading readZoneBytes(std::span<const std::uint8_t> bytes, const std::string& name,
                              std::optional<ZoneFileKind> kind = std::nullopt);

}  // namespace zonora
