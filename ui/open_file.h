#pragma once

#include <string>

#include "platform/file_system.h"

namespace zonora {

// How the window starts for a file opened from a file manager or dropped on
// it: the direction that reads the file (by its kind, convert/zone_file_kind.h),
// the file in its field and the other field holding the name the Save dialog
// would propose (empty when there is none to propose).
struct OpenedFile {
    bool mapToPdb = false;
    std::string mapPath;
    std::string pdbPath;
};

OpenedFile openedFile(const std::string& path, FileSystem& files);

}  // namespace zonora
