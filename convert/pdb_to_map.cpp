#include "convert/base_name.h"
#include "convert/conversion.h"
#include "convert/conversion_frame.h"
#include "platform/text_encoding.h"
#include "zone/map_file.h"
#include "zone/zone_database.h"

namespace zonora {
namespace {

constexpr const char* kInvalidPdbMessage = "Error : Invalid PDB file.";
constexpr const char* kMapCreatedMessage = "Conversion Complete.  New Tesk Map file created.";

}  // namespace

void PdbToMap(PathFields& fields, ConversionServices& services) {
    runReportingErrors(services.box, [&] {
        if (!pathsSelected(fields, services.box)) return;
        const std::string mapPath = fields.mapPath();
        const std::string pdbPath = fields.pdbPath();
        const std::string baseName = BaseName(pdbPath);
        // Writing the Map over its own source would destroy the database.
        refuseSameFile(services.files.sameFile(pdbPath, mapPath),
                       "The Map file and the PDB file are the same file: " + mapPath);

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
            formatMapFile(zones, toAnsi(mapFileHeader(baseName, now.date, now.time)));
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
