#include "convert/zone_file_report.h"

#include "convert/short_map.h"
#include "zone/map_file.h"

namespace zonora {
namespace {

std::string ofName(std::string_view name) {
    return name.empty() ? std::string() : " of " + std::string(name);
}

std::string located(const MapNote& note, std::string_view name) {
    std::string text(1, '"');  // appended: GCC 12 takes "..." + string for an overlap
    text.append(printableWord(note.word)).append("\" on line ");
    return text.append(std::to_string(note.line)).append(ofName(name));
}

}  // namespace

std::string noteText(const MapNote& note, std::string_view name) {
    switch (note.kind) {
        case MapNote::Kind::LinePassedOver:
            return "Line " + std::to_string(note.line) + ofName(name) + " passed over: " +
                   (note.length < kShortestDataLine ? "too short, " : "too long, ") +
                   std::to_string(note.length) + " characters (a data line has " +
                   std::to_string(kShortestDataLine) + " to " + std::to_string(kLongestDataLine) +
                   ")";
        case MapNote::Kind::WordPassedOver:
            return located(note, name) +
                   " passed over: 256 or more, so every later zone moves up one place";
        case MapNote::Kind::WordTaken: {
            const GridPlace place = gridPlace(note.zone);
            return located(note, name) + " taken as " + std::to_string(note.value) + " (row " +
                   std::to_string(place.row) + ", column " + std::to_string(place.column) + ")";
        }
        case MapNote::Kind::WordStops:
            break;
    }
    return located(note, name) + " stops the conversion";
}

std::string mapVerdict(const ZoneFileReading& reading, std::string_view notesAre) {
    const std::string values = valuesText(reading.count);
    if (reading.status == ZoneFileReading::Status::Stops) {
        return values + ": the conversion stops at the first error " + std::string(notesAre);
    }
    if (isShortMap(reading.count)) {
        return values + ", fewer than 256: the conversion asks before going on";
    }
    return values + ": converts unasked";
}

std::string valuesText(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " value" : " values");
}

std::string differingText(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " zone differs" : " zones differ");
}

}  // namespace zonora
