#include "zone/map_header.h"

namespace zonora {
namespace {

constexpr std::string_view kMapHeaderStart = "Druma ";
constexpr std::string_view kMapHeaderMiddle = ".PDB convert on ";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

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

std::string_view withoutUtf8Mark(std::string_view line) {
    if (line.starts_with(kUtf8Mark)) line.remove_prefix(kUtf8Mark.size());
    return line;
}

}  // namespace zonora
