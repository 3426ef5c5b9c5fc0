#pragma once

#include <string>

#include "platform/file_system.h"

namespace zonora {

// How the window starts for a file opened from a file manager or dropped on
// it: the direction that reads the file, the file in its field and the other
// field holding the name the Save dialog would propose (empty when there is
// none to propose).
struct OpenedFile {
    bool mapToPdb = false;
    std::string mapPath;
    std::string pdbPath;
};

// A Map file is one named .map, or one whose first line is a Map header;
// anything else is taken for a PDB, which the conversion checks.
bool isMapFile(const std::string& path, FileSystem& files);

OpenedFile openedFile(const std::string& path, FileSystem& files);

}  // namespace zonora
