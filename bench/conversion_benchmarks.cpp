// Both conversions end to end, from the path fields to the completion box.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_names.h"
#include "tests/support/expected_text.h"
#include "tests/support/fake_services.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"

namespace zonora::bench {
namespace {

using test::TempFolder;

// One conversion per iteration. Success is the one outcome that clears the
// fields and ends with the given box; anything else would time an error path
// instead. The fakes' records are emptied each time, so that long runs use no
// more memory.
void timeConversion(benchmark::State& state, void (*convert)(PathFields&, ConversionServices&),
                    test::FakeServices& world, const std::string& map, const std::string& pdb,
                    const std::string& lastBox) {
    for (auto _ : state) {
        TextPathFields fields(map, pdb);
        convert(fields, world.services);
        const std::string last =
            world.box.shown.empty() ? "(nothing shown)" : world.box.shown.back().prompt;
        world.box.shown.clear();
        world.installTool.handedOff.clear();
        if (!fields.map.empty() || !fields.pdb.empty() || last != lastBox) {
            state.SkipWithError(("the conversion failed: " + last).c_str());
            break;
        }
    }
}

void pdbToMap(benchmark::State& state) {
    TempFolder folder;
    const std::string pdb = folder.file("zones.pdb");
    test::writeBytes(pdb, test::makeZoneDatabase(test::sampleZones()));
    test::FakeServices world;
    timeConversion(state, PdbToMap, world, folder.file("zones.map"), pdb, test::kMapCreated);
}

void mapToPdb(benchmark::State& state) {
    TempFolder folder;
    const std::string map = folder.file("zones.map");
    const std::string pdb = folder.file("zones.pdb");
    const auto templateBytes = test::makeZoneDatabase(ZoneTable{});
    test::FakeServices world;
    world.templates.path = folder.file("Kolpa.org");
    test::writeBytes(world.templates.path, templateBytes);
    test::writeText(map, test::mapText(test::sampleZones(), "zones"));
    timeConversion(state, MapToPdb, world, map, pdb, test::kUseInstallTool);
    if (!state.error_occurred() &&
        test::readBytes(pdb) !=
            test::patchedZoneDatabase(templateBytes, test::sampleZones(), "zones")) {
        state.SkipWithError("the PDB is not the template with the zones");
    }
}

BENCHMARK(pdbToMap)->Name(kPdbToMap)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(mapToPdb)->Name(kMapToPdb)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zonora::bench
