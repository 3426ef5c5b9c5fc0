#include <string>

#include "zone/map_file.h"

namespace zonora {
namespace {

constexpr std::string_view kMapHeaderStart = "Druma ";
constexpr std::string_view kMapHeaderMiddle = ".PDB convert on ";
constexpr std::size_t kFieldWidth = 4;
constexpr std::string_view kLineEnd = "\r\n";

bool emptyLineAfterRow(std::size_t row) { return row == 0 || row == 1 || row == 7 || row == 13; }

}  // namespace

std::string mapFileHeader(std::string_view baseName, std::string_view date, std::string_view time) {
    std::string header(kMapHeaderStart);
    header.append(baseName).append(kMapHeaderMiddle).append(date).append(" ").append(time);
    // A file name may hold line breaks; in the header they would start lines
    // that the scanner reads as data. A NUL would make it binary, not a header.
    for (char& c : header) {
        if (c == '\r' || c == '\n' || c == '\0') c = '?';
    }
    return header;
}

bool isMapHeader(std::string_view line) {
    return line.starts_with(kMapHeaderStart) &&
           line.find(kMapHeaderMiddle) != std::string_view::npos &&
           line.find('\0') == std::string_view::npos;
}

std::string formatMapFile(const ZoneTable& zones, std::string_view ansiHeader) {
    std::string text(ansiHeader);
    text.append(kLineEnd).append(kLineEnd).append(kLineEnd);
    for (std::size_t row = 0; row < kZoneCount / kGridWidth; ++row) {
        for (std::size_t column = 0; column < kGridWidth; ++column) {
            const std::string digits = std::to_string(zones[row * kGridWidth + column]);
            text.append(kFieldWidth - digits.size(), ' ').append(digits);
        }
        text.append(kLineEnd);
        if (emptyLineAfterRow(row)) text.append(kLineEnd);
    }
    return text;
}

}  // namespace zonora
