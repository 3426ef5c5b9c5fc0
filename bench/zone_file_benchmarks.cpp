// The zone file layer on its own, each step with the opening and closing of
// its file, as the conversions use it.
#include <string>
#include <vector>

#include "bench/bench_names.h"
#include "bench/cases.h"
#include "platform/text_encoding.h"
#include "tests/support/expected_text.h"
#include "tests/support/native_file_system.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"
#include "zone/map_file.h"
#include "zone/map_header.h"
#include "zone/zone_database.h"

namespace zonora::bench {
namespace {

using test::TempFolder;

void readZones(Loop& loop) {
    TempFolder folder;
    const std::string path = folder.file("zones.pdb");
    // The sample is made once: the loop times the program's code, not the tests'.
    const ZoneTable expected = test::sampleZones();
    test::writeBytes(path, test::makeZoneDatabase(expected));
    NativeFileSystem files;
    while (loop.next()) {
        const auto pdb = files.openRead(path);
        const auto zones = readZoneTable(*pdb);
        pdb->close();
        if (!zones || *zones != expected) {
            loop.fail("the zone table did not read back");
            break;
        }
        keep(zones);
    }
}

// What PdbToMap does to write: format, build beside the target, make it
// durable and put it in place.
void writeMap(Loop& loop) {
    TempFolder folder;
    const std::string path = folder.file("zones.map");
    NativeFileSystem files;
    const ZoneTable zones = test::sampleZones();
    while (loop.next()) {
        const std::string text =
            formatMapFile(zones, toAnsi(mapFileHeader("zones", "4/12/2002", "2:00:33 PM")));
        const auto map = files.replace(path);
        map->write(asBytes(text));
        map->flush();
        map->commit();
    }
    if (!loop.failed() && test::readText(path) != test::mapText(test::sampleZones(), "zones")) {
        loop.fail("the Map file is wrong");
    }
}

void scanMap(Loop& loop) {
    TempFolder folder;
    const std::string path = folder.file("zones.map");
    const ZoneTable expected = test::sampleZones();
    test::writeText(path, test::mapText(expected, "zones"));
    NativeFileSystem files;
    while (loop.next()) {
        const auto map = files.openRead(path);
        const ScannedMap scanned = scanMapFile(*map);
        map->close();
        if (scanned.count != kZoneCount || scanned.zones != expected) {
            loop.fail("the Map file did not scan back");
            break;
        }
        keep(scanned);
    }
}

}  // namespace

std::vector<Case> zoneFileCases() {
    return {
        {kReadZoneTable, readZones},
        {kWriteMapFile, writeMap},
        {kScanMapFile, scanMap},
    };
}

}  // namespace zonora::bench
