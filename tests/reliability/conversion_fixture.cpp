#include "tests/reliability/conversion_fixture.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "platform/posix/posix_file_system.h"
#include "platform/text_encoding.h"
#include "tests/support/pdb_image.h"

namespace zonora::test {
namespace fs = std::filesystem;
namespace {

constexpr const char* kBase = "zones";

std::string mapText(const ZoneTable& zones) {
    std::string text = "Druma zones.PDB convert on 4/12/2002 2:00:33 PM\r\n\r\n\r\n";
    for (std::size_t row = 0; row < 16; ++row) {
        for (std::size_t column = 0; column < 16; ++column) {
            char field[8];
            std::snprintf(field, sizeof field, "%4d", zones[16 * row + column]);
            text += field;
        }
        text += "\r\n";
        if (row == 0 || row == 1 || row == 7 || row == 13) text += "\r\n";
    }
    return text;
}

ZoneTable templateZones() {
    ZoneTable zones{};
    zones.fill(0x5A);
    return zones;
}

}  // namespace

const char* directionName(Direction direction) {
    return direction == Direction::PdbToMap ? "PdbToMap" : "MapToPdb";
}

FolderImage imageOf(const fs::path& folder) {
    FolderImage image;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        struct stat info {};
        if (::lstat(entry.path().c_str(), &info) != 0) {
            image[name + "!"] = {};  // vanished while looked at
        } else if (S_ISLNK(info.st_mode)) {
            const std::string target = fs::read_symlink(entry.path()).string();
            image[name + "@"] = {target.begin(), target.end()};
        } else if (S_ISDIR(info.st_mode)) {
            image[name + "/"] = {};
        } else if (S_ISREG(info.st_mode)) {
            image[name] = readBytes(entry.path().string());
        } else {
            // A pipe, socket or device is never read (that could wait forever):
            // the same node is the same kind, device and inode.
            const std::string node = std::to_string(info.st_mode & S_IFMT) + " " +
                                     std::to_string(info.st_rdev) + " " +
                                     std::to_string(info.st_ino);
            image[name + "?"] = {node.begin(), node.end()};
        }
    }
    return image;
}

int openDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

ConversionSetup::ConversionSetup(Direction direction, bool destinationExists)
    : direction(direction), zones(sampleZones()) {
    const std::string pdb = folder.file(std::string(kBase) + ".pdb");
    const std::string map = folder.file(std::string(kBase) + ".map");
    source = direction == Direction::PdbToMap ? pdb : map;
    destination = direction == Direction::PdbToMap ? map : pdb;
    if (direction == Direction::PdbToMap) {
        writeBytes(source, makeZoneDatabase(zones));
    } else {
        writeText(source, mapText(zones));
    }
    templatePath = share.file("Kolpa.org");
    templateBytes = makeZoneDatabase(templateZones());
    writeBytes(templatePath, templateBytes);
    if (destinationExists) writeBytes(destination, kOldDestination);
}

TextPathFields ConversionSetup::fields() const {
    return direction == Direction::PdbToMap ? TextPathFields(destination, source)
                                            : TextPathFields(source, destination);
}

void ConversionSetup::run(FileSystem& files, RecordingMessageBox& box, TextPathFields& fields) {
    FixedClock clock;
    FixedTemplateLocator templates;
    templates.path = templatePath;
    RecordingInstallTool installTool;
    ConversionServices services{files, box, clock, templates, installTool};
    if (direction == Direction::PdbToMap) {
        PdbToMap(fields, services);
    } else {
        MapToPdb(fields, services);
    }
}

std::vector<std::string> ConversionSetup::successPrompts() const {
    if (direction == Direction::PdbToMap) {
        return {"Conversion Complete.  New Tesk Map file created."};
    }
    return {"Conversion Complete.  New Druma PDB file created.",
            "Please use Palm's Install tool to load the converted PDB file on next Hotsync."};
}

std::vector<std::uint8_t> ConversionSetup::expectedDestination() const {
    if (direction == Direction::PdbToMap) {
        const std::string text = mapText(zones);
        return {text.begin(), text.end()};
    }
    std::vector<std::uint8_t> bytes = templateBytes;
    for (std::size_t k = 0; k < kZoneCount; ++k) bytes[2467 + 2 * k] = zones[k];
    // The name field holds the PDB's name without its ".pdb", as far as it fits.
    const std::string fileName = fs::path(destination).filename().string();
    std::string name = toWindows1252(fileName.substr(0, fileName.size() - 4));
    name.resize(std::min<std::size_t>(name.size(), 31));
    for (std::size_t i = 0; i < 5; ++i) bytes[i] = 0;
    for (std::size_t i = 0; i < name.size(); ++i) bytes[i] = static_cast<std::uint8_t>(name[i]);
    bytes[name.size()] = 0;
    return bytes;
}

void PrintTo(const Case& c, std::ostream* out) {
    *out << directionName(c.direction) << (c.destinationExists ? " over a file" : " to a new file");
}

std::string caseName(const testing::TestParamInfo<Case>& info) {
    return std::string(directionName(info.param.direction)) +
           (info.param.destinationExists ? "OverExistingFile" : "ToNewFile");
}

std::vector<Step> stepsOfASuccessfulRun(const Case& c, std::size_t writePiece) {
    ConversionSetup setup(c.direction, c.destinationExists);
    PosixFileSystem real;
    FaultyFileSystem files(real);
    files.writePiece = writePiece;
    RecordingMessageBox box;
    TextPathFields fields = setup.fields();
    setup.run(files, box, fields);
    EXPECT_EQ(box.prompts(), setup.successPrompts());
    EXPECT_EQ(readBytes(setup.destination), setup.expectedDestination());
    return files.steps();
}

}  // namespace zonora::test
