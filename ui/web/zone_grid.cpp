#include "ui/web/zone_grid.h"

#include <optional>

#include "convert/conversion.h"
#include "convert/short_map.h"
#include "convert/show_error.h"
#include "convert/zone_file_reader.h"
#include "convert/zone_file_report.h"
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

std::string noteJson(const MapNote& note) {
    std::string kind;
    std::optional<std::size_t> zone;
    switch (note.kind) {
        case MapNote::Kind::LinePassedOver:
            kind = "line";
            if (note.zone < kZoneCount) zone = note.zone;  // where the later values move up
            break;
        case MapNote::Kind::WordPassedOver:
            kind = "word";
            break;
        case MapNote::Kind::WordTaken:
            kind = "rounded";
            zone = note.zone;
            break;
        case MapNote::Kind::WordStops:
            kind = "stops";
            break;
    }
    const std::string text =
        note.kind == MapNote::Kind::WordStops ? errorReportText(*note.error) : noteText(note);
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
        case ZoneFileReading::Status::Read:
            break;
    }
    if (reading.kind == ZoneFileKind::Pdb) return path + ": a zone database, 256 zones";
    const std::string verdict = path + ": " + mapVerdict(reading, "below");
    return isShortMap(reading.count) ? verdict + "; the missing zones are shown as 0" : verdict;
}

std::string fileJson(const std::string& path, const ZoneFileReading& reading) {
    std::string json = "{\"name\":" + quoted(path) +
                       ",\"kind\":" + quoted(reading.kind == ZoneFileKind::Map ? "Map" : "PDB") +
                       ",\"status\":" + quoted(statusName(reading.status)) +
                       ",\"count\":" + std::to_string(reading.count) +
                       ",\"summary\":" + quoted(summary(path, reading)) + ",\"zones\":[";
    for (std::size_t k = 0; k < kZoneCount; ++k) {
        json += (k == 0 ? "" : ",") + std::to_string(reading.zones[k]);
    }
    json += "],\"notes\":[";
    for (std::size_t i = 0; i < reading.notes.size(); ++i) {
        json += (i == 0 ? "" : ",") + noteJson(reading.notes[i]);
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
    std::string json = "{\"shown\":" + fileJson(shown, first);
    if (!compared.empty() && files.exists(compared)) {
        const ZoneFileReading second = readZoneFile(compared, files);
        json += ",\"compared\":" + fileJson(compared, second);
        if (readable(first) && readable(second)) {
            std::size_t differing = 0;
            std::string cells;
            for (std::size_t k = 0; k < kZoneCount; ++k) {
                if (first.zones[k] == second.zones[k]) continue;
                cells += (differing++ == 0 ? "" : ",") + std::to_string(k);
            }
            json +=
                ",\"differ\":[" + cells + "],\"differCount\":" + quoted(differingText(differing));
        }
    }
    return json + "}";
}

}  // namespace zonora::web
