#pragma once

#include <string>

#include "convert/path_fields.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/install_tool.h"
#include "platform/message_box.h"
#include "platform/system_services.h"
#include "platform/template_locator.h"

namespace zonora {

// What PdbToMap tells of a database whose header lies outside the window of
// a zone database; the command line's diff tells it the same way.
inline constexpr const char* kInvalidPdbMessage = "Error : Invalid PDB file.";

// Everything a conversion reaches outside itself.
struct ConversionServices {
    FileSystem& files;
    MessageBox& box;
    Clock& clock;
    TemplateLocator& templates;
    InstallTool& installTool;
};

// The system's services with a front end's message box.
inline ConversionServices withBox(const SystemServices& system, MessageBox& box) {
    return {system.files, box, system.clock, system.templates, system.installTool};
}

// Reads the zone table out of the PDB in the PDB field and writes it as a Map
// file to the path in the Map field. Reports every outcome in a message box.
void PdbToMap(PathFields& fields, ConversionServices& services);

// Reads the Map file, asks about a short one, builds the PDB from the
// template and hands it to the Install Tool. Reports every outcome.
void MapToPdb(PathFields& fields, ConversionServices& services);

}  // namespace zonora
