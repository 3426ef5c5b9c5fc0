#include "convert/zone_file_kind.h"

#include <algorithm>
#include <cctype>

#include "platform/byte_input_file.h"
#include "zone/map_header.h"
#include "zone/map_text.h"

namespace zonora {
namespace {

constexpr std::size_t kLongestHeader = 4096;
constexpr std::size_t kNameFieldBytes = 32;

bool namedMap(std::string_view path) {
    if (path.size() < 4) return false;
    std::string extension(path.substr(path.size() - 4));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".map";
}

// Read as the scanner reads it, so that a Map saved as UTF-16 is known too.
std::string firstLine(std::span<const std::uint8_t> start) {
    ByteInputFile file(start);
    MapTextReader text(file);
    std::string line;
    while (line.size() < kLongestHeader) {
        const std::string_view piece = text.next();
        if (piece.empty()) break;
        line.append(piece.substr(0, kLongestHeader));
        const std::size_t end = line.find_first_of("\r\n");
        if (end != std::string::npos) return line.substr(0, end);
    }
    return line;
}

bool startsWithUtf16Mark(std::span<const std::uint8_t> start) {
    return start.size() >= 2 &&
           ((start[0] == 0xFF && start[1] == 0xFE) || (start[0] == 0xFE && start[1] == 0xFF));
}

}  // namespace

ZoneFileKind zoneFileKind(std::string_view path, std::span<const std::uint8_t> start) {
    return namedMap(path) || isMapHeader(firstLine(start)) ? ZoneFileKind::Map : ZoneFileKind::Pdb;
}

ZoneFileKind zoneFileKind(std::span<const std::uint8_t> start) {
    const auto name = start.first(std::min(start.size(), kNameFieldBytes));
    const bool text =
        startsWithUtf16Mark(start) || std::find(name.begin(), name.end(), 0) == name.end();
    return text ? ZoneFileKind::Map : ZoneFileKind::Pdb;
}

ZoneFileKind zoneFileKind(const std::string& path, FileSystem& files) {
    if (namedMap(path)) return ZoneFileKind::Map;
    try {
        const auto file = files.openRead(path);
        return zoneFileKind(path, firstBytes(*file));
    } catch (...) {
        return ZoneFileKind::Pdb;  // unreadable: the conversion will say why
    }
}

std::vector<std::uint8_t> firstBytes(InputFile& file) {
    std::vector<std::uint8_t> start(kKindBytes);
    start.resize(file.readAt(0, start));
    return start;
}

}  // namespace zonora
