// MapToPdb on an arbitrary Map file and a PDB name taken from the input, with
// the question answered from the input, then PdbToMap on what it made. The
// first conversion does exactly what the scanner's result calls for; the
// database it makes holds the scanned zones; the Map file the system then
// writes reads back to the same table with count 256, whatever the name; and
// converting again gives the same two files byte for byte.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "convert/conversion.h"
#include "fuzz/fuzz_check.h"
#include "platform/runtime_error.h"
#include "tests/support/expected_text.h"
#include "tests/support/fake_services.h"
#include "tests/support/memory_files.h"
#include "tests/support/pdb_image.h"
#include "zone/map_file.h"
#include "zone/zone_database.h"

namespace {

using namespace zonora;
using zonora::test::MemoryFileSystem;
using zonora::test::MemoryInputFile;

constexpr const char* kTemplatePath = "/share/Druma/Kolpa.org";

using World = test::FakeServicesOver<MemoryFileSystem>;

struct Expected {
    std::optional<ScannedMap> map;
    int error = 0;
};

Expected scanBytes(const std::vector<std::uint8_t>& bytes) {
    MemoryInputFile file(bytes);
    try {
        return {scanMapFile(file), 0};
    } catch (const RuntimeError& error) {
        return {std::nullopt, error.number};
    }
}

// Map to PDB then PDB to Map; returns the Map file written, if any.
std::optional<std::vector<std::uint8_t>> roundTrip(World& world, const std::string& pdbPath,
                                                   bool answerYes) {
    const std::vector<std::uint8_t> mapBytes = world.files.files.at("/in/zones.map");
    const Expected expected = scanBytes(mapBytes);
    world.box.answers = {answerYes ? Answer::Yes : Answer::No};

    TextPathFields fields("/in/zones.map", pdbPath);
    MapToPdb(fields, world.services);
    const auto prompts = world.box.prompts();
    if (!expected.map) {
        const std::string description =
            expected.error == errors::kOverflow ? "Overflow" : "Subscript out of range";
        // The description goes on to say where: the file, the line and the word.
        const std::string head = test::errorReport(expected.error, description) + ": ";
        FUZZ_CHECK(prompts.size() == 1 && prompts[0].starts_with(head) &&
                   prompts[0].find("/in/zones.map") != std::string::npos);
        FUZZ_CHECK(world.box.shown[0].title == "Error");
        FUZZ_CHECK(!world.files.exists(pdbPath));
        FUZZ_CHECK(fields.map == "/in/zones.map" && fields.pdb == pdbPath);
        return std::nullopt;
    }
    std::vector<std::string> expectedPrompts;
    const bool asked = expected.map->count < kZoneCount;
    if (asked) {
        expectedPrompts.push_back("MAP File contains only " + std::to_string(expected.map->count) +
                                  " zone data.  Continue?");
    }
    if (asked && !answerYes) {
        FUZZ_CHECK(prompts == expectedPrompts);
        FUZZ_CHECK(!world.files.exists(pdbPath));
        FUZZ_CHECK(fields.map == "/in/zones.map" && fields.pdb == pdbPath);
        return std::nullopt;
    }
    expectedPrompts.push_back(test::kPdbCreated);
    expectedPrompts.push_back(test::kUseInstallTool);
    FUZZ_CHECK(prompts == expectedPrompts);
    FUZZ_CHECK(fields.map.empty() && fields.pdb.empty());

    const std::vector<std::uint8_t> pdb = world.files.files.at(pdbPath);
    MemoryInputFile pdbFile(pdb);
    const auto zones = readZoneTable(pdbFile);
    FUZZ_CHECK(zones.has_value() && *zones == expected.map->zones);

    world.box.shown.clear();
    TextPathFields back("/out/zones.map", pdbPath);
    PdbToMap(back, world.services);
    FUZZ_CHECK(world.box.prompts() == std::vector<std::string>{test::kMapCreated});
    FUZZ_CHECK(back.map.empty() && back.pdb.empty());
    const std::vector<std::uint8_t> written = world.files.files.at("/out/zones.map");
    const Expected reread = scanBytes(written);
    FUZZ_CHECK(reread.map.has_value());
    FUZZ_CHECK(reread.map->count == kZoneCount);
    FUZZ_CHECK(reread.map->zones == expected.map->zones);
    world.box.shown.clear();
    return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // First byte: the answer to the question and the length of the name,
    // which follows; the rest is the Map file.
    const bool answerYes = (data[0] & 0x80) != 0;
    const std::size_t nameLength = std::min<std::size_t>(data[0] & 0x3F, size - 1);
    const std::string name(reinterpret_cast<const char*>(data + 1), nameLength);
    const std::string pdbPath = "/out/" + name + ".pdb";

    World world;
    world.templates.path = kTemplatePath;
    world.templates.isFile = [&world](const std::string& path) { return world.files.exists(path); };
    world.files.files[kTemplatePath] = test::makeZoneDatabase(test::sampleZones());
    world.files.files["/in/zones.map"].assign(data + 1 + nameLength, data + size);
    if (world.files.sameFile(pdbPath, "/in/zones.map") || pdbPath == "/out/zones.map") return 0;

    const auto written = roundTrip(world, pdbPath, answerYes);
    if (!written) return 0;

    // The system's own Map file converts to the same database and back to
    // the same Map file.
    const std::vector<std::uint8_t> firstPdb = world.files.files.at(pdbPath);
    world.files.files["/in/zones.map"] = *written;
    const auto again = roundTrip(world, pdbPath, answerYes);
    FUZZ_CHECK(again.has_value() && *again == *written);
    FUZZ_CHECK(world.files.files.at(pdbPath) == firstPdb);
    return 0;
}
