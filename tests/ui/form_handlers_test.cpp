#include "ui/form_handlers.h"

#include <gtest/gtest.h>

#include "tests/support/fake_services.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/scripted_file_dialog.h"
#include "tests/ui/text_form.h"
#include "ui/form_layout.h"
#include "zone/map_file.h"

namespace zonora::test {
namespace {

// Convert runs Map to PDB only when that direction is chosen, and PDB to Map
// otherwise: each run is told apart by the file it creates.
TEST(Convert, RunsTheConversionOfTheChosenDirection) {
    struct Case {
        Selected direction;
        bool mapToPdb;
    };
    for (const Case c : {Case{Selected::MapToPdb, true}, Case{Selected::PdbToMap, false},
                         Case{Selected::None, false}}) {
        TempFolder folder;
        const std::string source = folder.file(c.mapToPdb ? "in.map" : "in.pdb");
        const std::string target = folder.file(c.mapToPdb ? "out.pdb" : "out.map");
        if (c.mapToPdb) {
            writeText(source, formatMapFile(sampleZones(), "header"));
        } else {
            writeBytes(source, makeZoneDatabase(sampleZones()));
        }
        HandlerHarness h(c.mapToPdb ? TextForm(source, target, c.direction)
                                    : TextForm(target, source, c.direction));
        h.fakes.templates.path = folder.file("template.pdb");
        writeBytes(h.fakes.templates.path, makeZoneDatabase(ZoneTable{}));

        h.handlers.cmdcvt_Click();

        ASSERT_FALSE(h.fakes.box.shown.empty());
        EXPECT_EQ(h.fakes.box.shown[0].prompt,
                  c.mapToPdb ? "Conversion Complete.  New Druma PDB file created."
                             : "Conversion Complete.  New Tesk Map file created.");
        EXPECT_FALSE(readBytes(target).empty());
        EXPECT_EQ(h.form.map, "");
        EXPECT_EQ(h.form.pdb, "");
    }
}

TEST(Convert, AtStartAsksForBothFiles) {
    HandlerHarness h{TextForm()};
    h.handlers.cmdcvt_Click();
    ASSERT_EQ(h.fakes.box.prompts(),
              std::vector<std::string>{"Please select source and destination files to continue"});
}

// Choosing either direction empties the Map field, then the PDB field.
TEST(Direction, ChoosingOneClearsMapThenPdb) {
    for (bool mapToPdb : {true, false}) {
        HandlerHarness h(TextForm("/a.map", "/b.pdb", Selected::None));
        if (mapToPdb) {
            h.handlers.Optm2p_Click();
        } else {
            h.handlers.Optp2m_Click();
        }
        EXPECT_EQ(h.form.log, (std::vector<std::string>{"tbm=", "tbp="}));
        EXPECT_TRUE(h.fakes.box.shown.empty());
    }
}

TEST(Exit, EndsTheProgramWithoutAWord) {
    HandlerHarness h(TextForm("/a.map", "/b.pdb", Selected::MapToPdb));
    h.handlers.Cmdexit_Click();
    EXPECT_EQ(h.ends, 1);
    EXPECT_TRUE(h.fakes.box.shown.empty());
    EXPECT_TRUE(h.cd.shown.empty());
}

// Both windows set a caption that does not fit a step smaller at a time, and
// never below the floor.
TEST(CaptionFitting, LargestSizeThatFitsFromTheDesignedOneDown) {
    const struct {
        double designed;
        double largestFitting;  // fits at this size and below
        double chosen;
    } rows[] = {{8, 8, 8},     {8, 20, 8}, {13.8, 12.1, 12.05},
                {8, 7.5, 7.5}, {8, 1, 5},  {5.1, 0, 5.1}};
    for (const auto& row : rows) {
        EXPECT_DOUBLE_EQ(
            layout::fittingPoints(row.designed,
                                  [&](double points) { return points <= row.largestFitting; }),
            row.chosen)
            << row.designed << " fitting up to " << row.largestFitting;
    }
}

}  // namespace
}  // namespace zonora::test
