#include "convert/conversion.h"
#include "convert/conversion_frame.h"
#include "convert/short_map.h"
#include "platform/runtime_error.h"
#include "platform/text_encoding.h"
#include "zone/map_file.h"
#include "zone/zone_database.h"

namespace zonora {
namespace {

constexpr const char* kPdbCreatedMessage = "Conversion Complete.  New Druma PDB file created.";
constexpr const char* kUseInstallToolMessage =
    "Please use Palm's Install tool to load the converted PDB file on next Hotsync.";

std::string templateNotFound(TemplateLocator& templates) {
    std::string description = "File not found: the template Kolpa.org, looked for in";
    const auto places = templates.places();
    for (std::size_t i = 0; i < places.size(); ++i) {
        description += (i == 0 ? " " : ", ") + places[i];
    }
    return description;
}

// The template copied to the PDB path with the zones and the name written in.
void writeDatabase(const SelectedPaths& paths, const ZoneTable& zones,
                   ConversionServices& services) {
    const auto templatePath = services.templates.find();
    if (!templatePath) {
        throw RuntimeError(errors::kFileNotFound, templateNotFound(services.templates));
    }
    refuseSameFile(services.files.sameFile(paths.pdb, *templatePath),
                   "The PDB file to create is the template itself: " + paths.pdb);
    const auto templateFile = services.files.openRead(*templatePath);
    checkTemplate(*templateFile, *templatePath);
    const auto pdb = services.files.replace(paths.pdb);
    writeZoneDatabase(*templateFile, *pdb, zones, toAnsi(paths.baseName));
    pdb->flush();
    pdb->commit();
}

ConversionResult convertToPdb(const ConversionPaths& chosen, ConversionServices& services) {
    const auto paths = selectedPaths(chosen, services.box, services.files, Destination::Pdb);
    if (!paths) return ConversionResult::Unselected;

    ScannedMap scanned;
    {
        const auto map = services.files.openRead(paths->map);
        scanned = scanMapFile(*map, paths->map);
    }  // the Map file is closed before anything is asked or written
    if (isShortMap(scanned.count) && !continueWithShortMap(services.box, scanned.count)) {
        return ConversionResult::Declined;
    }

    writeDatabase(*paths, scanned.zones, services);
    tell(services.box, kPdbCreatedMessage);
    if (!services.installTool.handOff(paths->pdb)) tell(services.box, kUseInstallToolMessage);
    return ConversionResult::Converted;
}

}  // namespace

ConversionOutcome MapToPdb(const ConversionPaths& paths, ConversionServices& services) {
    return runConversion(services.box, [&] { return convertToPdb(paths, services); });
}

}  // namespace zonora
