#include "ui/open_file.h"

#include <algorithm>
#include <cctype>

#include "platform/runtime_error.h"
#include "ui/form_handlers.h"
#include "zone/map_file.h"
#include "zone/map_text.h"

namespace zonora {
namespace {

// Enough for the header of any name a PDB can carry.
constexpr std::size_t kLongestHeader = 4096;

bool namedMap(const std::string& path) {
    if (path.size() < 4) return false;
    std::string extension = path.substr(path.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".map";
}

// Read as the scanner reads it, so that a Map saved as UTF-16 is known too.
std::string firstLine(const std::string& path, FileSystem& files) {
    const auto file = files.openRead(path);
    MapTextReader text(*file);
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

bool startsWithMapHeader(const std::string& path, FileSystem& files) {
    try {
        return isMapHeader(firstLine(path, files));
    } catch (...) {
        return false;  // unreadable: the conversion will say why
    }
}

}  // namespace

bool isMapFile(const std::string& path, FileSystem& files) {
    return namedMap(path) || startsWithMapHeader(path, files);
}

OpenedFile openedFile(const std::string& path, FileSystem& files) {
    OpenedFile opened;
    opened.mapToPdb = isMapFile(path, files);
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

void FormHandlers::openFile(const std::string& path) {
    const OpenedFile opened = openedFile(path, services_.files);
    form_.select(opened.mapToPdb ? Direction::MapToPdb : Direction::PdbToMap);
    form_.setMap(opened.mapPath);
    form_.setPdb(opened.pdbPath);
}

}  // namespace zonora
