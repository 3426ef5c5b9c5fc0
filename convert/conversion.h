#pragma once

#include <string>

#include "convert/conversion_outcome.h"
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

// Everything a conversion reaches outside itself. The box tells the user
// every outcome and asks the one question, about a short Map.
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

// The two paths a conversion works on, as the user chose them.
struct ConversionPaths {
    std::string map;
    std::string pdb;
};

// Reads the zone table out of the PDB and writes it as a Map file to the Map
// path. Tells the user every outcome in the box, and returns it.
ConversionOutcome PdbToMap(const ConversionPaths& paths, ConversionServices& services);

// Reads the Map file, asks about a short one, builds the PDB from the
// template and hands it to the Install Tool. Tells every outcome, and
// returns it.
ConversionOutcome MapToPdb(const ConversionPaths& paths, ConversionServices& services);

// The same over a window's fields: the paths read from them at the start,
// both fields cleared after a converted outcome (PdbToMap the Map field
// first, MapToPdb the PDB field first).
ConversionOutcome PdbToMap(PathFields& fields, ConversionServices& services);
ConversionOutcome MapToPdb(PathFields& fields, ConversionServices& services);

}  // namespace zonora
