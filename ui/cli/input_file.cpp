#include "ui/cli/input_file.h"

#include <exception>
#include <vector>

#include "convert/error_table.h"
#include "ui/cli/command_line.h"

namespace zonora {

ZoneFileReading readInput(const std::string& path, FileSystem& files, StandardInput* input,
                          std::optional<ZoneFileKind> kind) {
    if (path != kStandardInput) return readZoneFile(path, files, kind);
    std::vector<std::uint8_t> bytes;
    try {
        bytes = input->readAll();
    } catch (...) {
        ZoneFileReading unread;
        unread.status = ZoneFileReading::Status::Failed;
        unread.error = toRuntimeError(std::current_exception());
        return unread;
    }
    return readZoneBytes(bytes, kStandardInputName, kind);
}

std::string inputName(const std::string& path) {
    return path == kStandardInput ? kStandardInputName : path;
}

}  // namespace zonora
