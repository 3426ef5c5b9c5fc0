#include "ui/web/zone_grid.h"

#include <map>
#include <optional>

#include "convert/conversion.h"
#include "convert/short_map.h"
#include "convert/show_error.h"
#include "convert/zone_file_reader.h"
#include "zone/map_file.h"

namespace zonora::web {
namespace {

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            out += c == '\r' || c == '\n' ? "\\n" : " ";
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string values(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " value" : " values");
}

std::string place(std::size_t zone) {
    const GridPlace at = gridPlace(zone);
    return "row " + std::to_string(at.row) + ", column " + std::to_string(at.column);
}

// The zone a passed-over line comes before: the number of values read by then.
class ZonesBeforeLines : public MapScanObserver {
  public:
    void linePassedOver(std::size_t line, std::size_t, std::string_view) override {
        before[line] = taken_;
    }
    void wordPassedOver(const MapWord&) override {}
    void wordTaken(const MapWord&, std::size_t, std::uint8_t) override { ++taken_; }
    void wordStops(const MapWord&, const RuntimeError&) override { ++taken_; }

    std::map<std::size_t, std::size_t> before;

  private:
    std::size_t taken_ = 0;
};

std::map<std::size_t, std::size_t> zonesBeforeLines(const std::string& path, FileSystem& files) {
    ZonesBeforeLines observer;
    try {
        const auto file = files.openRead(path);
        scanMapFile(*file, path, &observer);
    } catch (...) {
        // The reading itself reports why.
    }
    return observer.before;
}

std::string noteJson(const MapNote& note, const std::map<std::size_t, std::size_t>& before) {
    const std::string word =
        "\"" + printableWord(note.word) + "\" on line " + std::to_string(note.line);
    std::string kind;
    std::string text;
    std::optional<std::size_t> zone;
    switch (note.kind) {
        case MapNote::Kind::LinePassedOver: {
            kind = "line";
            text = "Line " + std::to_string(note.line) + " passed over: " +
                   (note.length < kShortestDataLine ? "too short, " : "too long, ") +
                   std::to_string(note.length) + " characters (a data line has " +
                   std::to_string(kShortestDataLine) + " to " + std::to_string(kLongestDataLine) +
                   ")";
            const auto found = before.find(note.line);
            if (found != before.end() && found->second < kZoneCount) zone = found->second;
            break;
        }
        case MapNote::Kind::WordPassedOver:
            kind = "word";
            text = word + " passed over: 256 or more, so every later zone moves up one place";
            break;
        case MapNote::Kind::WordTaken:
            kind = "rounded";
            text = word + " taken as " + std::to_string(note.value) + " (" + place(note.zone) + ")";
            zone = note.zone;
            break;
        case MapNote::Kind::WordStops:
            kind = "stops";
            text = errorReportText(*note.error);
            break;
    }
    return "{\"kind\":" + quoted(kind) + ",\"text\":" + quoted(text) +
           ",\"zone\":" + (zone ? std::to_string(*zone) : "null") + "}";
}

std::string statusName(ZoneFileReading::Status status) {
    switch (status) {
        case ZoneFileReading::Status::Read:
            return "read";
        case ZoneFileReading::Status::Stops:
            return "stops";
        case ZoneFileReading::Status::InvalidPdb:
            return "invalid";
        case ZoneFileReading::Status::Failed:
            return "failed";
    }
    return "failed";
}

// One line on the whole file, as a conversion would take it.
std::string summary(const std::string& path, const ZoneFileReading& reading) {
    switch (reading.status) {
        case ZoneFileReading::Status::InvalidPdb:
            return kInvalidPdbMessage;
        case ZoneFileReading::Status::Failed:
            return errorReportText(*reading.error);
        case ZoneFileReading::Status::Stops:
            return path + ": " + values(reading.count) +
                   ": the conversion stops at the first error below";
        case ZoneFileReading::Status::Read:
            break;
    }
    if (reading.kind == ZoneFileKind::Pdb) return path + ": a zone database, 256 zones";
    if (isShortMap(reading.count)) {
        return path + ": " + values(reading.count) +
               ", fewer than 256: the conversion asks before going on; the missing zones are "
               "shown as 0";
    }
    return path + ": " + values(reading.count) + ": converts unasked";
}

std::string fileJson(const std::string& path, const ZoneFileReading& reading, FileSystem& files) {
    std::string json = "{\"name\":" + quoted(path) +
                       ",\"kind\":" + quoted(reading.kind == ZoneFileKind::Map ? "Map" : "PDB") +
                       ",\"status\":" + quoted(statusName(reading.status)) +
                       ",\"count\":" + std::to_string(reading.count) +
                       ",\"summary\":" + quoted(summary(path, reading)) + ",\"zones\":[";
    for (std::size_t k = 0; k < kZoneCount; ++k) {
        json += (k == 0 ? "" : ",") + std::to_string(reading.zones[k]);
    }
    json += "],\"notes\":[";
    const auto before = reading.kind == ZoneFileKind::Map ? zonesBeforeLines(path, files)
                                                          : std::map<std::size_t, std::size_t>();
    for (std::size_t i = 0; i < reading.notes.size(); ++i) {
        json += (i == 0 ? "" : ",") + noteJson(reading.notes[i], before);
    }
    return json + "]}";
}

bool readable(const ZoneFileReading& reading) {
    return reading.status == ZoneFileReading::Status::Read;
}

}  // namespace

std::string zoneGridJson(const std::string& shown, const std::string& compared, FileSystem& files) {
    if (shown.empty() || !files.exists(shown)) return "null";
    const ZoneFileReading first = readZoneFile(shown, files);
    std::string json = "{\"shown\":" + fileJson(shown, first, files);
    if (!compared.empty() && files.exists(compared)) {
        const ZoneFileReading second = readZoneFile(compared, files);
        json += ",\"compared\":" + fileJson(compared, second, files);
        if (readable(first) && readable(second)) {
            std::size_t differing = 0;
            std::string cells;
            for (std::size_t k = 0; k < kZoneCount; ++k) {
                if (first.zones[k] == second.zones[k]) continue;
                cells += (differing++ == 0 ? "" : ",") + std::to_string(k);
            }
            json += ",\"differ\":[" + cells + "],\"differCount\":" +
                    quoted(std::to_string(differing) +
                           (differing == 1 ? " zone differs" : " zones differ"));
        }
    }
    return json + "}";
}

}  // namespace zonora::web
