// Both conversions end to end, from the path fields to the completion box.
#include <string>
#include <vector>

#include "bench/bench_names.h"
#include "bench/cases.h"
#include "tests/support/expected_text.h"
#include "tests/support/fake_services.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"

namespace zonora::bench {
namespace {

using test::TempFolder;

// One conversion per iteration. It must convert and end with the given box;
// anything else would time an error path instead. The fakes' records are emptied each time, so that
// long runs use no more memory.
void timeConversion(Loop& loop,
                    ConversionOutcome (*convert)(const ConversionPaths&, ConversionServices&),
                    test::FakeServices& world, const std::string& map, const std::string& pdb,
                    const std::string& lastBox) {
    while (loop.next()) {
        const ConversionOutcome outcome = convert({map, pdb}, world.services);
        const std::string last =
            world.box.shown.empty() ? "(nothing shown)" : world.box.shown.back().prompt;
        world.box.shown.clear();
        world.installTool.handedOff.clear();
        if (!outcome.converted() || last != lastBox) {
            loop.fail("the conversion failed: " + last);
            break;
        }
    }
}

void pdbToMap(Loop& loop) {
    TempFolder folder;
    const std::string pdb = folder.file("zones.pdb");
    test::writeBytes(pdb, test::makeZoneDatabase(test::sampleZones()));
    test::FakeServices world;
    timeConversion(loop, PdbToMap, world, folder.file("zones.map"), pdb, test::kMapCreated);
}

void mapToPdb(Loop& loop) {
    TempFolder folder;
    const std::string map = folder.file("zones.map");
    const std::string pdb = folder.file("zones.pdb");
    const auto templateBytes = test::makeZoneDatabase(ZoneTable{});
    test::FakeServices world;
    world.templates.path = folder.file("Kolpa.org");
    test::writeBytes(world.templates.path, templateBytes);
    test::writeText(map, test::mapText(test::sampleZones(), "zones"));
    timeConversion(loop, MapToPdb, world, map, pdb, test::kUseInstallTool);
    if (!loop.failed() &&
        test::readBytes(pdb) !=
            test::patchedZoneDatabase(templateBytes, test::sampleZones(), "zones")) {
        loop.fail("the PDB is not the template with the zones");
    }
}

}  // namespace

std::vector<Case> conversionCases() {
    return {
        {kPdbToMap, pdbToMap},
        {kMapToPdb, mapToPdb},
    };
}

}  // namespace zonora::bench
