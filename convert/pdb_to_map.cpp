#include "convert/conversion.h"
#include "convert/conversion_frame.h"
#include "platform/text_encoding.h"
#include "zone/map_file.h"
#include "zone/map_header.h"
#include "zone/zone_database.h"

namespace zonora {
namespace {

constexpr const char* kMapCreatedMessage = "Conversion Complete.  New Tesk Map file created.";

ConversionResult convertToMap(const ConversionPaths& chosen, ConversionServices& services) {
    const auto paths = selectedPaths(chosen, services.box, services.files, Destination::Map);
    if (!paths) return ConversionResult::Unselected;

    ZoneTable zones{};
    {
        const auto pdb = services.files.openRead(paths->pdb);
        const auto read = readZoneTable(*pdb);
        if (!read) {
            tell(services.box, kInvalidPdbMessage);
            return ConversionResult::InvalidPdb;
        }
        zones = *read;
    }  // the database is closed before the Map file is opened

    const DateTimeText now = services.clock.now();
    const std::string text =
        formatMapFile(zones, toAnsi(mapFileHeader(paths->baseName, now.date, now.time)));
    const auto map = services.files.replace(paths->map);
    map->write(asBytes(text));
    map->flush();
    map->commit();  // complete and in place before the user is told so

    tell(services.box, kMapCreatedMessage);
    return ConversionResult::Converted;
}

}  // namespace

ConversionOutcome PdbToMap(const ConversionPaths& paths, ConversionServices& services) {
    return runConversion(services.box, [&] { return convertToMap(paths, services); });
}

}  // namespace zonora
