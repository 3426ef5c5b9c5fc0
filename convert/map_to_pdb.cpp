#include "convert/conversion.h"
#include "convert/conversion_frame.h"
#include "platform/runtime_error.h"
#include "platform/text_encoding.h"
#include "zone/map_file.h"
#include "zone/zone_database.h"

namespace zonora {
namespace {

constexpr const char* kPdbCreatedMessage = "Conversion Complete.  New Druma PDB file created.";
constexpr const char* kUseInstallToolMessage =
    "Please use Palm's Install tool to load the converted PDB file on next Hotsync.";

bool continueWithShortMap(MessageBox& box, std::size_t count) {
    Message question;
    question.prompt = "MAP File contains only " + std::to_string(count) + " zone data.  Continue?";
    question.buttons = Buttons::YesNo;
    question.defaultButton = DefaultButton::Second;
    return box.show(question) != Answer::No;
}

std::string templateNotFound(TemplateLocator& templates) {
    std::string description = "File not found: the template Kolpa.org, looked for in";
    const auto places = templates.places();
    for (std::size_t i = 0; i < places.size(); ++i) {
        description += (i == 0 ? " " : ", ") + places[i];
    }
    return description;
}

}  // namespace

void MapToPdb(PathFields& fields, ConversionServices& services) {
    runReportingErrors(services.box, [&] {
        const auto paths = selectedPaths(fields, services.box, services.files, Destination::Pdb);
        if (!paths) return;
        const std::string& mapPath = paths->map;
        const std::string& pdbPath = paths->pdb;

        ScannedMap scanned;
        {
            const auto map = services.files.openRead(mapPath);
            scanned = scanMapFile(*map, mapPath);
        }  // the Map file is closed before anything is asked or written
        if (scanned.count < kZoneCount && !continueWithShortMap(services.box, scanned.count)) {
            return;
        }

        const auto templatePath = services.templates.find();
        if (!templatePath) {
            throw RuntimeError(errors::kFileNotFound, templateNotFound(services.templates));
        }
        refuseSameFile(services.files.sameFile(pdbPath, *templatePath),
                       "The PDB file to create is the template itself: " + pdbPath);
        {
            const auto templateFile = services.files.openRead(*templatePath);
            checkTemplate(*templateFile, *templatePath);
            const auto pdb = services.files.replace(pdbPath);
            writeZoneDatabase(*templateFile, *pdb, scanned.zones, toAnsi(paths->baseName));
            pdb->flush();
            pdb->commit();
        }

        tell(services.box, kPdbCreatedMessage);
        if (!services.installTool.handOff(pdbPath)) tell(services.box, kUseInstallToolMessage);
        fields.clearPdb();
        fields.clearMap();
    });
}

}  // namespace zonora
