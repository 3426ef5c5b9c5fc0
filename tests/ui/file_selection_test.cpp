#include <gtest/gtest.h>

#include "convert/proposed_name.h"
#include "tests/support/fake_services.h"
#include "tests/ui/scripted_file_dialog.h"
#include "tests/ui/text_form.h"
#include "ui/form_handlers.h"

namespace zonora::test {
namespace {

constexpr unsigned kOpenFlags = 0x1004;
constexpr unsigned kSaveFlags = 0x8806;
constexpr const char* kMapFilter = "All files (*.*)|*.*|Map Files|*.map";
constexpr const char* kPdbFilter = "All files (*.*)|*.*|PDB Files|*.PDB";

enum class Button { Map, Pdb };

void click(HandlerHarness& h, Button button) {
    if (button == Button::Map) {
        h.handlers.Cmdbrm_Click();
    } else {
        h.handlers.cmdbrp_Click();
    }
}

struct DialogCase {
    const char* name;
    Button button;
    Selected direction;
    const char* map;
    const char* pdb;
    bool save;
    const char* title;
    const char* filter;
    const char* defaultExt;
    const char* proposal;
};

class DialogSetUp : public ::testing::TestWithParam<DialogCase> {};

// Each click opens the dialog set up for its file and direction, with the
// target field already empty, and puts the chosen path in that field.
TEST_P(DialogSetUp, OpensTheRightDialogAndFillsItsField) {
    const DialogCase& c = GetParam();
    HandlerHarness h(TextForm(c.map, c.pdb, c.direction));
    h.cd.choice = "/chosen/file";
    click(h, c.button);

    ASSERT_EQ(h.cd.shown.size(), 1u);
    const auto& shown = h.cd.shown[0];
    EXPECT_EQ(shown.save, c.save);
    EXPECT_EQ(shown.title, c.title);
    EXPECT_EQ(shown.filter, c.filter);
    EXPECT_EQ(shown.filterIndex, 2);
    EXPECT_EQ(shown.defaultExt, c.defaultExt);
    EXPECT_EQ(shown.flags, c.save ? kSaveFlags : kOpenFlags);
    EXPECT_EQ(shown.fileName, c.proposal);
    EXPECT_TRUE(shown.cancelError);

    const bool mapSide = c.button == Button::Map;
    EXPECT_EQ(mapSide ? shown.mapField : shown.pdbField, "");
    EXPECT_EQ(mapSide ? shown.pdbField : shown.mapField, mapSide ? c.pdb : c.map);
    EXPECT_EQ(h.form.map, mapSide ? "/chosen/file" : c.map);
    EXPECT_EQ(h.form.pdb, mapSide ? c.pdb : "/chosen/file");
    EXPECT_TRUE(h.fakes.box.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, DialogSetUp,
    ::testing::Values(
        DialogCase{"MapReadForMapToPdb", Button::Map, Selected::MapToPdb, "/old/a.map",
                   "/z/zones.pdb", false, "Select a Tesk map file to convert", kMapFilter, "map",
                   ""},
        DialogCase{"MapWrittenProposedFromPdb", Button::Map, Selected::PdbToMap, "/old/a.map",
                   "/z/zones.pdb", true, "Select a Tesk Map file to create", kMapFilter, "map",
                   "/z/zones.MAP"},
        DialogCase{"MapWrittenWithEmptyPdbField", Button::Map, Selected::PdbToMap, "", "", true,
                   "Select a Tesk Map file to create", kMapFilter, "map", ""},
        DialogCase{"PdbReadForPdbToMap", Button::Pdb, Selected::PdbToMap, "/z/zones.map",
                   "/old/b.pdb", false, "Select a Druma PDB file to convert", kPdbFilter, "pdb",
                   ""},
        DialogCase{"PdbWrittenProposedFromMap", Button::Pdb, Selected::MapToPdb, "/z/zones.map",
                   "/old/b.pdb", true, "Select a Druma PDB file to create", kPdbFilter, "pdb",
                   "/z/zones.PDB"},
        DialogCase{"ProposalReplacesAnyLastThree", Button::Pdb, Selected::MapToPdb, "/z/zones", "",
                   true, "Select a Druma PDB file to create", kPdbFilter, "pdb", "/z/zoPDB"},
        DialogCase{"ProposalCountsCharactersNotBytes", Button::Map, Selected::PdbToMap, "",
                   "/z/zoné.pdé", true, "Select a Tesk Map file to create", kMapFilter, "map",
                   "/z/zoné.MAP"},
        DialogCase{"ProposalFromExactlyThree", Button::Map, Selected::PdbToMap, "", "abc", true,
                   "Select a Tesk Map file to create", kMapFilter, "map", "MAP"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileSelection, WithoutADirectionAsksForOneAndChangesNothing) {
    for (Button button : {Button::Map, Button::Pdb}) {
        HandlerHarness h(TextForm("/a.map", "/b.pdb", Selected::None));
        click(h, button);
        EXPECT_TRUE(h.cd.shown.empty());
        ASSERT_EQ(h.fakes.box.shown.size(), 1u);
        EXPECT_EQ(h.fakes.box.shown[0].prompt, "Please select conversion direction.");
        EXPECT_EQ(h.fakes.box.shown[0].title, "Zonora");
        EXPECT_EQ(h.fakes.box.shown[0].buttons, Buttons::Ok);
        EXPECT_EQ(h.form.map, "/a.map");
        EXPECT_EQ(h.form.pdb, "/b.pdb");
    }
}

// Cancel and a dialog that fails end the click silently with the target
// field left empty; the other field keeps its text.
TEST(FileSelection, CancelOrFailureLeavesTheTargetEmptyAndSaysNothing) {
    for (bool fails : {false, true}) {
        for (Selected direction : {Selected::MapToPdb, Selected::PdbToMap}) {
            HandlerHarness h(TextForm("/a.map", "/b.pdb", direction));
            h.cd.fails = fails;
            h.handlers.Cmdbrm_Click();
            EXPECT_EQ(h.cd.shown.size(), 1u);
            EXPECT_EQ(h.form.map, "");
            EXPECT_EQ(h.form.pdb, "/b.pdb");
            EXPECT_TRUE(h.fakes.box.shown.empty());
        }
    }
}

// A proposal from a field under three characters fails before the target is
// cleared, so the target keeps its text and no dialog opens.
TEST(FileSelection, ShortProposalSourceKeepsTheTargetAndOpensNothing) {
    HandlerHarness mapSide(TextForm("/old.map", "ab", Selected::PdbToMap));
    mapSide.handlers.Cmdbrm_Click();
    EXPECT_TRUE(mapSide.cd.shown.empty());
    EXPECT_EQ(mapSide.form.map, "/old.map");
    EXPECT_TRUE(mapSide.fakes.box.shown.empty());

    HandlerHarness pdbSide(TextForm("é", "/old.pdb", Selected::MapToPdb));
    pdbSide.handlers.cmdbrp_Click();
    EXPECT_TRUE(pdbSide.cd.shown.empty());
    EXPECT_EQ(pdbSide.form.pdb, "/old.pdb");
}

TEST(ProposedName, RaisesErrorFiveUnderThreeCharacters) {
    for (const char* path : {"a", "ab", "éé"}) {
        try {
            proposedName(path, "MAP");
            ADD_FAILURE() << path;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number, 5) << path;
        }
    }
}

// The properties persist in the dialog object; each click sets them all, so
// an Open after a Save starts with an empty name again.
TEST(FileSelection, EveryClickSetsEveryProperty) {
    HandlerHarness h(TextForm("", "/z/zones.pdb", Selected::PdbToMap));
    h.cd.choice = "/z/out.map";
    h.handlers.Cmdbrm_Click();
    h.form.direction = Selected::MapToPdb;
    h.handlers.Cmdbrm_Click();
    ASSERT_EQ(h.cd.shown.size(), 2u);
    EXPECT_EQ(h.cd.shown[1].fileName, "");
    EXPECT_EQ(h.cd.shown[1].flags, kOpenFlags);
    EXPECT_FALSE(h.cd.shown[1].save);
}

}  // namespace
}  // namespace zonora::test
