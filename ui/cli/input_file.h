#pragma once

#include <optional>
#include <string>

#include "convert/zone_file_reader.h"
#include "platform/file_system.h"
#include "platform/standard_input.h"

namespace zonora {

// A file named on the command line, read by the zone file reader: standard
// input, read whole, for `-` (its kind then told by its content unless
// given). input may be null only when path is not `-`.
ZoneFileReading readInput(const std::string& path, FileSystem& files, StandardInput* input,
                          std::optional<ZoneFileKind> kind = std::nullopt);

// How reports name a file named on the command line.
std::string inputName(const std::string& path);

}  // namespace zonora
