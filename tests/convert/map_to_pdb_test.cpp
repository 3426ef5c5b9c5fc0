#include <filesystem>

#include "convert/conversion.h"
#include "platform/runtime_error.h"
#include "tests/convert/conversion_fixture.h"
#include "zone/map_file.h"

namespace zonora {
namespace {

using test::readBytes;
using test::writeBytes;
using test::writeText;
namespace fs = std::filesystem;

using test::kPdbCreated;
using test::kUseInstallTool;
using test::patchedZoneDatabase;
using test::reportHead;

std::string mapOf(const std::vector<int>& values) {
    std::string text = "a hand-made map\r\n";
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i) {
        line += "   " + std::to_string(values[i]);
        if (i % 16 == 15 || i + 1 == values.size()) {
            line.resize(std::max<std::size_t>(line.size(), 64), ' ');
            text += line + "\r\n";
            line.clear();
        }
    }
    return text;
}

std::vector<int> counting(std::size_t n) {
    std::vector<int> values;
    for (std::size_t i = 0; i < n; ++i) values.push_back(static_cast<int>((i * 5 + 1) % 256));
    return values;
}

ZoneTable tableOf(const std::vector<int>& values) {
    ZoneTable zones{};
    for (std::size_t i = 0; i < values.size() && i < kZoneCount; ++i)
        zones[i] = static_cast<std::uint8_t>(values[i]);
    return zones;
}

class MapToPdbTest : public test::ConversionTest {
  protected:
    void SetUp() override {
        templateBytes = test::makeZoneDatabase(ZoneTable{});
        writeBytes(path("Kolpa.org"), templateBytes);
        fake.templates.path = path("Kolpa.org");
    }
    test::RecordingFields run(const std::string& map, const std::string& pdb) {
        test::RecordingFields fields(map, pdb);
        outcome = MapToPdb(fields, fake.services);
        return fields;
    }
    // Runs with an existing destination and checks it is untouched afterwards.
    test::RecordingFields runKeepingDestination(const std::string& map) {
        writeText(path("old.pdb"), "previous database");
        auto fields = run(map, path("old.pdb"));
        EXPECT_EQ(test::readText(path("old.pdb")), "previous database");
        EXPECT_EQ(fields.cleared, "");
        for (const auto& name : folder.entries()) EXPECT_FALSE(name.starts_with(".zonora")) << name;
        return fields;
    }

    std::vector<std::uint8_t> templateBytes;
    ConversionOutcome outcome;
};

TEST_F(MapToPdbTest, BuildsTheDatabaseFromTheTemplateAndClearsTheFields) {
    const auto values = counting(256);
    writeText(path("zones.map"), mapOf(values));
    const auto fields = run(path("zones.map"), path("zones.pdb"));

    EXPECT_EQ(prompts(), (std::vector<std::string>{kPdbCreated, kUseInstallTool}));
    EXPECT_EQ(fake.box.shown[0].title, "Zonora");
    EXPECT_EQ(fields.cleared, "pm");
    EXPECT_EQ(outcome.result, ConversionResult::Converted);
    EXPECT_EQ(readBytes(path("zones.pdb")),
              patchedZoneDatabase(templateBytes, tableOf(values), "zones"));
    EXPECT_EQ(readBytes(path("Kolpa.org")), templateBytes);
}

TEST_F(MapToPdbTest, HandsTheFinishedFileToTheInstallTool) {
    fake.installTool.present = true;
    writeText(path("zones.map"), mapOf(counting(256)));
    const std::string pdb = path("my zones.pdb");
    const auto fields = run(path("zones.map"), pdb);
    EXPECT_EQ(prompts(), std::vector<std::string>{kPdbCreated});
    EXPECT_EQ(fake.installTool.handedOff, std::vector<std::string>{pdb});
    EXPECT_EQ(fields.cleared, "pm");
}

class FailingInstallTool : public InstallTool {
  public:
    bool handOff(const std::string&) override { throw RuntimeError(53, "File not found: tool"); }
};

TEST_F(MapToPdbTest, AFailedInstallStartIsReportedAfterTheFileIsComplete) {
    FailingInstallTool tool;
    ConversionServices services{fake.files, fake.box, fake.clock, fake.templates, tool};
    writeText(path("zones.map"), mapOf(counting(256)));
    test::RecordingFields fields(path("zones.map"), path("zones.pdb"));
    const ConversionOutcome failed = MapToPdb(fields, services);
    EXPECT_EQ(failed.result, ConversionResult::Failed);
    EXPECT_EQ(failed.error->number, 53);
    EXPECT_EQ(prompts().front(), kPdbCreated);
    EXPECT_EQ(shownHead(), reportHead(53));
    EXPECT_EQ(fields.cleared, "");
    EXPECT_EQ(readBytes(path("zones.pdb")),
              patchedZoneDatabase(templateBytes, tableOf(counting(256)), "zones"));
}

TEST_F(MapToPdbTest, AsksAboutAShortMapWithNoAsTheDefault) {
    writeText(path("short.map"), mapOf(counting(255)));
    fake.box.answers = {Answer::Yes};
    run(path("short.map"), path("short.pdb"));
    ASSERT_GE(fake.box.shown.size(), 2u);
    const Message& question = fake.box.shown[0];
    EXPECT_EQ(question.prompt, "MAP File contains only 255 zone data.  Continue?");
    EXPECT_EQ(question.buttons, Buttons::YesNo);
    EXPECT_EQ(question.defaultButton, DefaultButton::Second);
    EXPECT_EQ(question.title, "Zonora");
    EXPECT_EQ(readBytes(path("short.pdb")),
              patchedZoneDatabase(templateBytes, tableOf(counting(255)), "short"));
}

TEST_F(MapToPdbTest, AnsweringNoChangesNothing) {
    writeText(path("empty.map"), "");
    fake.box.answers = {Answer::No};
    runKeepingDestination(path("empty.map"));
    EXPECT_EQ(outcome.result, ConversionResult::Declined);
    EXPECT_EQ(prompts(),
              std::vector<std::string>{"MAP File contains only 0 zone data.  Continue?"});
}

TEST_F(MapToPdbTest, BadMapFilesAreReportedBeforeTheTemplateIsTouched) {
    struct Case {
        std::string text;
        int error;
        std::string description;  // says where, with the Map path as given
    };
    const std::string map = path("bad.map");
    const std::vector<Case> cases = {
        {mapOf(counting(257)), 9,
         "Subscript out of range: more than 256 numbers in " + map +
             "; the 257th is \"1\" on line 18"},
        {mapOf({1, 2, -3}), 6, "Overflow: \"-3\" on line 2 of " + map + " is outside 0 to 255"},
        {mapOf({1, 2, 3}) + std::string(64, ' ') + "255.7\r\n", 6,
         "Overflow: \"255.7\" on line 3 of " + map + " is outside 0 to 255"}};
    for (const Case& c : cases) {
        fake.box.shown.clear();
        writeText(map, c.text);
        runKeepingDestination(map);
        EXPECT_EQ(prompts().size(), 1u);
        EXPECT_EQ(shownHead(), reportHead(c.error));
        EXPECT_EQ(prompts().back(), shownHead() + "\r" + c.description);
    }
}

TEST_F(MapToPdbTest, FileProblemsAreReportedAndTheDestinationSurvives) {
    writeText(path("zones.map"), mapOf(counting(256)));
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::string map;
        int error;
    };
    const std::vector<Case> cases = {
        {"missing map", [] {}, path("none.map"), 53},
        {"missing template", [&] { fs::remove(path("Kolpa.org")); }, path("zones.map"), 53},
        {"short template",
         [&] {
             auto bytes = templateBytes;
             bytes.resize(2977);
             writeBytes(path("Kolpa.org"), bytes);
         },
         path("zones.map"), 321},
        {"template of another layout",
         [&] { writeBytes(path("Kolpa.org"), test::makeZoneDatabase(ZoneTable{}, 2470)); },
         path("zones.map"), 321},
        {"template is a folder",
         [&] {
             fs::remove(path("Kolpa.org"));
             fs::create_directory(path("Kolpa.org"));
         },
         path("zones.map"), 53},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fake.box.shown.clear();
        c.arrange();
        runKeepingDestination(c.map);
        EXPECT_EQ(shownHead(), reportHead(c.error));
        fs::remove_all(path("Kolpa.org"));
        writeBytes(path("Kolpa.org"), templateBytes);
    }
}

TEST_F(MapToPdbTest, MissingTemplateNamesThePlacesLookedIn) {
    fs::remove(path("Kolpa.org"));
    writeText(path("zones.map"), mapOf(counting(256)));
    run(path("zones.map"), path("zones.pdb"));
    const std::string report = fake.box.shown.back().prompt;
    EXPECT_NE(report.find(path("Kolpa.org")), std::string::npos) << report;
    EXPECT_FALSE(fs::exists(path("zones.pdb")));
}

TEST_F(MapToPdbTest, RefusesToWriteOverTheMapOrTheTemplate) {
    writeText(path("zones.map"), mapOf(counting(256)));
    const std::string mapBefore = test::readText(path("zones.map"));
    test::makeLink(path("zones.map"), path("link.pdb"));
    test::makeLink(path("Kolpa.org"), path("tlink.pdb"));
    for (const std::string& pdb :
         {path("zones.map"), path("link.pdb"), path("Kolpa.org"), path("tlink.pdb")}) {
        fake.box.shown.clear();
        const auto fields = run(path("zones.map"), pdb);
        EXPECT_EQ(shownHead(), reportHead(75)) << pdb;
        // The path as given, not the file it leads to.
        EXPECT_TRUE(fake.box.shown.back().prompt.ends_with(": " + pdb));
        EXPECT_EQ(fields.cleared, "");
    }
    EXPECT_EQ(test::readText(path("zones.map")), mapBefore);
    EXPECT_EQ(readBytes(path("Kolpa.org")), templateBytes);
}

TEST_F(MapToPdbTest, MissingDestinationFolderIsPathNotFound) {
    writeText(path("zones.map"), mapOf(counting(256)));
    run(path("zones.map"), path("gone/zones.pdb"));
    EXPECT_EQ(shownHead(), reportHead(76));
}

TEST_F(MapToPdbTest, NamesAreCutTo31CharactersAndWrittenInWindows1252) {
    writeText(path("zones.map"), mapOf(counting(256)));
    const std::string longName(40, 'L');
    run(path("zones.map"), path(longName + ".pdb"));
    EXPECT_EQ(readBytes(path(longName + ".pdb")),
              patchedZoneDatabase(templateBytes, tableOf(counting(256)), longName.substr(0, 31)));

    run(path("zones.map"), path("z\xc3\xb6n\xe4\xb8\xad.pdb"));
    EXPECT_EQ(readBytes(path("z\xc3\xb6n\xe4\xb8\xad.pdb")),
              patchedZoneDatabase(templateBytes, tableOf(counting(256)), "z\xf6n?"));
}

TEST_F(MapToPdbTest, RoundTripThroughTheMapKeepsTheZones) {
    const ZoneTable zones = test::sampleZones();
    for (const std::string name :
         {"zones", "eighteen_chars_xyz", "a_much_longer_database_name_here"}) {
        SCOPED_TRACE(name);
        fake.box.shown.clear();
        writeBytes(path(name + ".src"), test::makeZoneDatabase(zones, 2470));
        test::RecordingFields there(path(name + ".map"), path(name + ".src"));
        PdbToMap(there, fake.services);
        test::RecordingFields back(path(name + ".map"), path(name + ".pdb"));
        MapToPdb(back, fake.services);
        EXPECT_EQ(back.cleared, "pm");
        const auto bytes = readBytes(path(name + ".pdb"));
        ASSERT_EQ(bytes.size(), templateBytes.size());
        for (std::size_t k = 0; k < kZoneCount; ++k) {
            ASSERT_EQ(bytes[test::kRecordOffset + 1 + 2 * k], zones[k]) << k;
            ASSERT_EQ(bytes[test::kRecordOffset + 2 * k],
                      templateBytes[test::kRecordOffset + 2 * k])
                << k;
        }
    }
}

}  // namespace
}  // namespace zonora
