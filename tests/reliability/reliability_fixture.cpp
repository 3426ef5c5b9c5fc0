#include "tests/reliability/reliability_fixture.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "platform/text_encoding.h"
#include "tests/support/expected_text.h"
#include "tests/support/native_file_system.h"
#include "tests/support/pdb_image.h"

namespace zonora::test {
namespace fs = std::filesystem;
namespace {

constexpr const char* kBase = "zones";

ZoneTable templateZones() {
    ZoneTable zones{};
    zones.fill(0x5A);
    return zones;
}

}  // namespace

const char* directionName(ConversionDirection direction) {
    return direction == ConversionDirection::PdbToMap ? "PdbToMap" : "MapToPdb";
}

FolderImage imageOf(const fs::path& folder) {
    FolderImage image;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = toUtf8(entry.path().filename());
#ifdef _WIN32
        // Windows has no pipes or devices in a folder: what is not a link or
        // a folder is a file.
        std::error_code error;
        const fs::file_status status = fs::symlink_status(entry.path(), error);
        if (error || !fs::exists(status)) {
            image[name + "!"] = {};  // vanished while looked at
        } else if (fs::is_symlink(status)) {
            const std::string target = toUtf8(fs::read_symlink(entry.path()));
            image[name + "@"] = {target.begin(), target.end()};
        } else if (fs::is_directory(status)) {
            image[name + "/"] = {};
        } else {
            image[name] = readBytes(toUtf8(entry.path()));
        }
#else
        struct stat info {};
        if (::lstat(entry.path().c_str(), &info) != 0) {
            image[name + "!"] = {};  // vanished while looked at
        } else if (S_ISLNK(info.st_mode)) {
            const std::string target = toUtf8(fs::read_symlink(entry.path()));
            image[name + "@"] = {target.begin(), target.end()};
        } else if (S_ISDIR(info.st_mode)) {
            image[name + "/"] = {};
        } else if (S_ISREG(info.st_mode)) {
            image[name] = readBytes(toUtf8(entry.path()));
        } else {
            // A pipe, socket or device is never read (that could wait forever):
            // the same node is the same kind, device and inode.
            const std::string node = std::to_string(info.st_mode & S_IFMT) + " " +
                                     std::to_string(info.st_rdev) + " " +
                                     std::to_string(info.st_ino);
            image[name + "?"] = {node.begin(), node.end()};
        }
#endif
    }
    return image;
}

int openDescriptors() {
#ifdef _WIN32
    // Handles kept for good are made on first use by the runtime (its first
    // exception) and GoogleTest (its first trace, which starts a thread that
    // watches this one): both are made here so that they are not taken for a leak.
    static const bool warmedUp = [] {
        try {
            throw std::runtime_error("first");
        } catch (const std::runtime_error&) {
        }
        SCOPED_TRACE("first");
        return true;
    }();
    (void)warmedUp;
    // GetProcessHandleCount is always 0 under Wine, and listing the whole
    // system's handles has brought its server down; this process's own handle
    // values are probed instead, which both systems answer for themselves.
    // Handles take the lowest free values, so a long run of unused ones ends
    // the table.
    constexpr std::uintptr_t kHandleStep = 4;
    constexpr int kUnusedRunAtTheEnd = 512;
    int count = 0;
    int unused = 0;
    for (std::uintptr_t value = kHandleStep; unused < kUnusedRunAtTheEnd; value += kHandleStep) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
            unused = 0;
        } else {
            ++unused;
        }
    }
    return count;
#else
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
    return count;
#endif
}

ConversionSetup::ConversionSetup(ConversionDirection direction, bool destinationExists)
    : direction(direction), zones(sampleZones()) {
    const std::string pdb = folder.file(std::string(kBase) + ".pdb");
    const std::string map = folder.file(std::string(kBase) + ".map");
    source = direction == ConversionDirection::PdbToMap ? pdb : map;
    destination = direction == ConversionDirection::PdbToMap ? map : pdb;
    if (direction == ConversionDirection::PdbToMap) {
        writeBytes(source, makeZoneDatabase(zones));
    } else {
        writeText(source, mapText(zones, kBase));
    }
    templatePath = share.file("Kolpa.org");
    templateBytes = makeZoneDatabase(templateZones());
    writeBytes(templatePath, templateBytes);
    if (destinationExists) writeBytes(destination, kOldDestination);
}

TextPathFields ConversionSetup::fields() const {
    return direction == ConversionDirection::PdbToMap ? TextPathFields(destination, source)
                                                      : TextPathFields(source, destination);
}

void ConversionSetup::run(FileSystem& files, RecordingMessageBox& box, TextPathFields& fields) {
    FixedClock clock;
    FixedTemplateLocator templates;
    templates.path = templatePath;
    RecordingInstallTool installTool;
    ConversionServices services{files, box, clock, templates, installTool};
    if (direction == ConversionDirection::PdbToMap) {
        PdbToMap(fields, services);
    } else {
        MapToPdb(fields, services);
    }
}

std::vector<std::string> ConversionSetup::successPrompts() const {
    if (direction == ConversionDirection::PdbToMap) return {kMapCreated};
    return {kPdbCreated, kUseInstallTool};
}

std::vector<std::uint8_t> ConversionSetup::expectedDestination() const {
    if (direction == ConversionDirection::PdbToMap) {
        const std::string text = mapText(zones, kBase);
        return {text.begin(), text.end()};
    }
    // The name field holds the PDB's name without its ".pdb".
    const std::string fileName = toUtf8(fromUtf8(destination).filename());
    return patchedZoneDatabase(templateBytes, zones,
                               toWindows1252(fileName.substr(0, fileName.size() - 4)));
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
    NativeFileSystem real;
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
