#include "convert/conversion.h"
#include "convert/conversion_frame.h"
#include "platform/text_encoding.h"
#include "zone/map_file.h"
#include "zone/zone_database.h"

namespace zonora {
namespace {

constexpr const char* kMapCreatedMessage = "Conversion Complete.  New Tesk Map file created.";

}  // namespace

void PdbToMap(PathFields& fields, ConversionServices& services) {
    runReportingErrors(services.box, [&] {
        const auto paths = selectedPaths(fields, services.box, services.files, Destination::Map);
        if (!paths) return;
        const std::string& mapPath = paths->map;
        const std::string& pdbPath = paths->pdb;

        ZoneTable zones{};
        {
            const auto pdb = services.files.openRead(pdbPath);
            const auto read = readZoneTable(*pdb);
            if (!read) {
                tell(services.box, kInvalidPdbMessage);
                return;
            }
            zones = *read;
        }  // the database is closed before the Map file is opened

        const DateTimeText now = services.clock.now();
        const std::string text =
            formatMapFile(zones, toAnsi(mapFileHeader(paths->baseName, now.date, now.time)));
        const auto map = services.files.replace(mapPath);
        map->write(asBytes(text));
        map->flush();
        map->commit();  // complete and in place before the user is told so

        tell(services.box, kMapCreatedMessage);
        fields.clearMap();
        fields.clearPdb();
    });
}

}  // namespace zonora
