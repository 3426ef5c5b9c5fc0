#include <gtest/gtest.h>

#include "platform/posix/posix_file_system.h"
#include "tests/support/expected_text.h"
#include "tests/support/fake_services.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"
#include "zone/zone_database.h"

namespace zonora::test {
namespace {

// Found by the round-trip fuzzer (fuzz/regressions/round_trip): a line break
// in the PDB's name split the Map header, and the header's tail, long enough
// to count as data, added zones ahead of the grid, so the system could not
// read back its own Map file (error 9).
TEST(RoundTripRegression, MapWrittenForANameWithALineBreakReadsBack) {
    for (const std::string& name :
         {"\n" + std::string(24, 'x'), "zo\rnes" + std::string(24, 'y')}) {
        TempFolder folder;
        const std::string pdb = folder.file(name + ".pdb");
        writeBytes(pdb, makeZoneDatabase(sampleZones()));
        FakeServices services;
        services.templates.path = folder.file("Kolpa.org");
        writeBytes(services.templates.path, makeZoneDatabase(ZoneTable{}));

        TextPathFields toMap(folder.file("zones.map"), pdb);
        PdbToMap(toMap, services.services);
        ASSERT_EQ(services.box.prompts(), std::vector<std::string>{kMapCreated});

        services.box.shown.clear();
        TextPathFields toPdb(folder.file("zones.map"), folder.file("back.pdb"));
        MapToPdb(toPdb, services.services);
        ASSERT_FALSE(services.box.prompts().empty());
        EXPECT_EQ(services.box.prompts()[0], kPdbCreated);
        PosixFileSystem files;
        const auto back = files.openRead(folder.file("back.pdb"));
        EXPECT_EQ(readZoneTable(*back), sampleZones());
    }
}

}  // namespace
}  // namespace zonora::test
