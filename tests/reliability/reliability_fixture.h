#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "convert/conversion.h"
#include "convert/path_fields.h"
#include "tests/reliability/faulty_file_system.h"
#include "tests/support/expected_text.h"
#include "tests/support/fake_services.h"
#include "tests/support/temp_folder.h"
#include "zone/zone_table.h"

namespace zonora::test {

enum class ConversionDirection { PdbToMap, MapToPdb };

const char* directionName(ConversionDirection direction);

// Everything in a folder: file contents by name (UTF-8); folders, links (with
// their targets) and other nodes (with their identity) marked as such.
using FolderImage = std::map<std::string, std::vector<std::uint8_t>>;
FolderImage imageOf(const std::filesystem::path& folder);

// Number of file descriptors (handles on Windows) the process holds open.
int openDescriptors();

// One conversion ready to run on real files: the source, perhaps an older
// destination, and (for Map to PDB) the template in a folder of its own.
class ConversionSetup {
  public:
    ConversionSetup(ConversionDirection direction, bool destinationExists);

    TextPathFields fields() const;
    // Runs the conversion through the given file system with the test's
    // clock, template and Install Tool.
    void run(FileSystem& files, RecordingMessageBox& box, TextPathFields& fields);
    // The boxes a successful conversion shows, in order.
    std::vector<std::string> successPrompts() const;
    // What the destination must hold after a successful conversion, built
    // here from the layout rather than by the code under test. The destination
    // may be moved to another name ending in ".pdb" or ".map" before the run.
    std::vector<std::uint8_t> expectedDestination() const;

    ConversionDirection direction;
    TempFolder folder;  // source and destination
    TempFolder share;   // the template
    std::string source;
    std::string destination;
    std::string templatePath;
    std::vector<std::uint8_t> templateBytes;
    ZoneTable zones;
};

// One direction, over an existing destination or to a new one.
struct Case {
    ConversionDirection direction;
    bool destinationExists;
};

void PrintTo(const Case& c, std::ostream* out);
std::string caseName(const testing::TestParamInfo<Case>& info);
inline const auto kAllCases = testing::Values(
    Case{ConversionDirection::PdbToMap, true}, Case{ConversionDirection::PdbToMap, false},
    Case{ConversionDirection::MapToPdb, true}, Case{ConversionDirection::MapToPdb, false});

// Runs the case once with nothing failing, writes cut into pieces of the given
// size, checks that it succeeded and returns every file step it took.
std::vector<Step> stepsOfASuccessfulRun(const Case& c, std::size_t writePiece);

inline const std::vector<std::uint8_t> kOldDestination = {'o', 'l', 'd', '\r', '\n', 0, 0xFF};

}  // namespace zonora::test
