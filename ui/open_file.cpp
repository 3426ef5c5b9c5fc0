#include "ui/open_file.h"

#include "convert/proposed_name.h"
#include "convert/zone_file_kind.h"
#include "platform/runtime_error.h"

namespace zonora {

OpenedFile openedFile(const std::string& path, FileSystem& files) {
    OpenedFile opened;
    opened.mapToPdb = zoneFileKind(path, files) == ZoneFileKind::Map;
    std::string proposal;
    try {
        proposal = proposedName(path, opened.mapToPdb ? "PDB" : "MAP");
    } catch (const RuntimeError&) {
        // Too short a name to propose from: the other field stays empty.
    }
    if (opened.mapToPdb) {
        opened.mapPath = path;
        opened.pdbPath = proposal;
    } else {
        opened.pdbPath = path;
        opened.mapPath = proposal;
    }
    return opened;
}

}  // namespace zonora
