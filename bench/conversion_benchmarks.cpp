// Both conversions end to end, from the path fields to the completion box.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_names.h"
#include "bench/bench_services.h"
#include "platform/text_encoding.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"
#include "zone/map_file.h"

namespace zonora::bench {
namespace {

using test::TempFolder;

// Success is the one outcome that clears the fields; anything else would
// time an error path instead.
bool succeeded(const TextPathFields& fields, const QuietMessageBox& box,
               const std::string& expectedLast) {
    return fields.map.empty() && fields.pdb.empty() && box.last == expectedLast;
}

bool written(const std::string& pdb, const ZoneTable& zones) {
    const auto bytes = test::readBytes(pdb);
    if (bytes.size() < 2978) return false;
    for (std::size_t k = 0; k < kZoneCount; ++k) {
        if (bytes[2467 + 2 * k] != zones[k]) return false;
    }
    return true;
}

void pdbToMap(benchmark::State& state) {
    TempFolder folder;
    const std::string pdb = folder.file("zones.pdb");
    const std::string map = folder.file("zones.map");
    test::writeBytes(pdb, test::makeZoneDatabase(test::sampleZones()));
    BenchServices world(folder.file("unused-template.org"));
    for (auto _ : state) {
        TextPathFields fields(map, pdb);
        PdbToMap(fields, world.services);
        if (!succeeded(fields, world.box, "Conversion Complete.  New Tesk Map file created.")) {
            state.SkipWithError(("PdbToMap failed: " + world.box.last).c_str());
            break;
        }
    }
}

void mapToPdb(benchmark::State& state) {
    TempFolder folder;
    const std::string templatePath = folder.file("Kolpa.org");
    const std::string map = folder.file("zones.map");
    const std::string pdb = folder.file("zones.pdb");
    test::writeBytes(templatePath, test::makeZoneDatabase(ZoneTable{}));
    test::writeText(map, formatMapFile(test::sampleZones(),
                                       toAnsi(mapFileHeader("zones", "4/12/2002", "2:00:33 PM"))));
    BenchServices world(templatePath);
    for (auto _ : state) {
        TextPathFields fields(map, pdb);
        MapToPdb(fields, world.services);
        if (!succeeded(fields, world.box,
                       "Please use Palm's Install tool to load the converted PDB file on next "
                       "Hotsync.")) {
            state.SkipWithError(("MapToPdb failed: " + world.box.last).c_str());
            break;
        }
    }
    if (!state.error_occurred() && !written(pdb, test::sampleZones())) {
        state.SkipWithError("the PDB lacks the zones");
    }
}

BENCHMARK(pdbToMap)->Name(kPdbToMap)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(mapToPdb)->Name(kMapToPdb)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zonora::bench
