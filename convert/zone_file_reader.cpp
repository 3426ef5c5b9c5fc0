#include "convert/zone_file_reader.h"

#include <algorithm>
#include <exception>
#include <string_view>

#include "convert/error_table.h"
#include "platform/byte_input_file.h"
#include "zone/map_file.h"
#include "zone/map_header.h"
#include "zone/zone_database.h"

namespace zonora {
namespace {

bool plainWholeNumber(std::string_view word) {
    return word.find_first_not_of("0123456789") == std::string_view::npos;
}

// Takes down what the scanner tells, and the first word that stops it.
class NoteTaker : public MapScanObserver {
  public:
    explicit NoteTaker(ZoneFileReading& reading) : reading_(reading) {}

    void linePassedOver(std::size_t line, std::size_t length, std::string_view start) override {
        const bool blank = length == start.size() && start.find_first_not_of(' ') == start.npos;
        if (blank || (line == 1 && isMapHeader(withoutUtf8Mark(start)))) return;
        MapNote passed;
        passed.line = line;
        passed.length = length;
        passed.zone = taken_;
        reading_.notes.push_back(std::move(passed));
    }

    void wordPassedOver(const MapWord& word) override {
        reading_.notes.push_back(note(MapNote::Kind::WordPassedOver, word));
    }

    void wordTaken(const MapWord& word, std::size_t zone, std::uint8_t made) override {
        ++taken_;
        if (plainWholeNumber(word.text)) return;
        MapNote taken = note(MapNote::Kind::WordTaken, word);
        taken.zone = zone;
        taken.value = made;
        reading_.notes.push_back(std::move(taken));
    }

    void wordStops(const MapWord& word, const RuntimeError& error) override {
        ++taken_;  // its place is kept
        MapNote stops = note(MapNote::Kind::WordStops, word);
        stops.error = error;
        reading_.notes.push_back(std::move(stops));
        if (!reading_.error) reading_.error = error;
    }

  private:
    static MapNote note(MapNote::Kind kind, const MapWord& word) {
        MapNote made;
        made.kind = kind;
        made.line = word.line;
        made.word = std::string(word.text);
        return made;
    }

    ZoneFileReading& reading_;
    std::size_t taken_ = 0;
};

ZoneFileReading failed(ZoneFileKind kind, std::exception_ptr failure) {
    ZoneFileReading reading;
    reading.kind = kind;
    reading.status = ZoneFileReading::Status::Failed;
    reading.error = toRuntimeError(failure);
    return reading;
}

}  // namespace

ZoneFileReading readZoneFile(InputFile& file, const std::string& path, ZoneFileKind kind) {
    ZoneFileReading reading;
    reading.kind = kind;
    if (kind == ZoneFileKind::Pdb) {
        const auto zones = readZoneTable(file);
        if (!zones) {
            reading.status = ZoneFileReading::Status::InvalidPdb;
        } else {
            reading.zones = *zones;
            reading.count = kZoneCount;
        }
        return reading;
    }
    NoteTaker notes(reading);
    const ScannedMap scanned = scanMapFile(file, path, &notes);
    reading.zones = scanned.zones;
    reading.count = scanned.count;
    if (reading.error) reading.status = ZoneFileReading::Status::Stops;
    return reading;
}

ZoneFileReading readZoneFile(const std::string& path, FileSystem& files,
                             std::optional<ZoneFileKind> kind) {
    try {
        const auto file = files.openRead(path);
        return readZoneFile(*file, path, kind ? *kind : zoneFileKind(path, firstBytes(*file)));
    } catch (...) {
        return failed(kind ? *kind : zoneFileKind(path, {}), std::current_exception());
    }
}

ZoneFileReading readZoneBytes(std::span<const std::uint8_t> bytes, const std::string& name,
                              std::optional<ZoneFileKind> kind) {
    const ZoneFileKind told =
        kind ? *kind : zoneFileKind(bytes.first(std::min(bytes.size(), kKindBytes)));
    try {
        ByteInputFile file(bytes);
        return readZoneFile(file, name, told);
    } catch (...) {
        return failed(told, std::current_exception());
    }
}

}  // namespace zonora
