#include <string>

#include "zone/map_file.h"

namespace zonora {
namespace {

constexpr std::size_t kFieldWidth = 4;
constexpr std::string_view kLineEnd = "\r\n";

bool emptyLineAfterRow(std::size_t row) { return row == 0 || row == 1 || row == 7 || row == 13; }

}  // namespace

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
