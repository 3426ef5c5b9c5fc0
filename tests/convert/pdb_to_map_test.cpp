#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "convert/conversion.h"
#include "tests/convert/conversion_fixture.h"
#include "zone/map_file.h"

namespace zonora {
namespace {

using test::readBytes;
using test::readText;
using test::writeBytes;
using test::writeText;
namespace fs = std::filesystem;

using test::kMapCreated;
using test::reportHead;
constexpr const char* kSelectFiles = "Please select source and destination files to continue";

class PdbToMapTest : public test::ConversionTest {
  protected:
    // Runs the conversion on the given fields and returns them afterwards.
    test::RecordingFields run(const std::string& map, const std::string& pdb) {
        test::RecordingFields fields(map, pdb);
        outcome = PdbToMap(fields, fake.services);
        return fields;
    }
    ConversionOutcome outcome;
};

TEST_F(PdbToMapTest, WritesTheMapFileAndClearsBothFields) {
    const ZoneTable zones = test::sampleZones();
    writeBytes(path("zones.pdb"), test::makeZoneDatabase(zones));
    const auto fields = run(path("zones.map"), path("zones.pdb"));

    EXPECT_EQ(prompts(), std::vector<std::string>{kMapCreated});
    EXPECT_EQ(fake.box.shown[0].title, "Zonora");
    EXPECT_EQ(fields.cleared, "mp");
    EXPECT_EQ(outcome.result, ConversionResult::Converted);
    EXPECT_EQ(readText(path("zones.map")), test::mapText(zones, "zones"));
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"zones.map", "zones.pdb"}));

    // Nothing left in the fields: the next Convert asks for files.
    test::RecordingFields again(fields.map, fields.pdb);
    PdbToMap(again, fake.services);
    EXPECT_EQ(prompts().back(), kSelectFiles);
}

TEST_F(PdbToMapTest, ReplacesAnExistingMapWholly) {
    writeBytes(path("zones.pdb"), test::makeZoneDatabase(test::sampleZones()));
    writeText(path("zones.map"), std::string(5000, 'x'));
    run(path("zones.map"), path("zones.pdb"));
    EXPECT_EQ(readText(path("zones.map")), test::mapText(test::sampleZones(), "zones"));
}

TEST_F(PdbToMapTest, WritesTheNameInWindows1252) {
    writeBytes(path("z\xc3\xb6n\xe2\x82\xac\xe4\xb8\xad.pdb"), test::makeZoneDatabase(ZoneTable{}));
    run(path("out.map"), path("z\xc3\xb6n\xe2\x82\xac\xe4\xb8\xad.pdb"));
    EXPECT_EQ(readText(path("out.map")), test::mapText(ZoneTable{}, "z\xf6n\x80?"));
}

TEST_F(PdbToMapTest, EmptyFieldsAskForFilesAndTouchNothing) {
    writeBytes(path("zones.pdb"), test::makeZoneDatabase(ZoneTable{}));
    for (const auto& [map, pdb] : std::vector<std::pair<std::string, std::string>>{
             {"", path("zones.pdb")}, {path("zones.map"), ""}, {"", ""}}) {
        fake.box.shown.clear();
        const auto fields = run(map, pdb);
        EXPECT_EQ(prompts(), std::vector<std::string>{kSelectFiles});
        EXPECT_EQ(outcome.result, ConversionResult::Unselected);
        EXPECT_EQ(fields.map, map);
        EXPECT_EQ(fields.pdb, pdb);
    }
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"zones.pdb"});
}

// Each failure: the message shown, the fields kept and an existing Map untouched.
struct FailureCase {
    const char* what;
    std::function<std::string(const test::TempFolder&)> makePdb;  // returns the PDB path
    std::string expected;  // a message, or the report's first line
};

class PdbToMapFailure : public PdbToMapTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(PdbToMapFailure, ReportsAndKeepsFieldsAndMap) {
    const FailureCase& c = GetParam();
    // The Map first: a hard link, as Windows makes them, needs its target.
    writeText(path("old.map"), "previous map\r\n");
    const std::string pdb = c.makePdb(folder);
    const auto fields = run(path("old.map"), pdb);

    ASSERT_EQ(fake.box.shown.size(), 1u);
    const std::string& prompt = fake.box.shown[0].prompt;
    EXPECT_EQ(prompt.substr(0, prompt.find('\r')), c.expected);
    const bool report = c.expected.starts_with("Error #");
    EXPECT_EQ(fake.box.shown[0].title, report ? "Error" : "Zonora");
    EXPECT_EQ(outcome.result, report ? ConversionResult::Failed : ConversionResult::InvalidPdb);
    EXPECT_EQ(outcome.error.has_value(), report);
    EXPECT_EQ(fields.cleared, "");
    EXPECT_EQ(readText(path("old.map")), "previous map\r\n");
    for (const auto& name : folder.entries()) EXPECT_FALSE(name.starts_with(".zonora")) << name;
}

std::string databaseWithHeader(const test::TempFolder& f, std::uint8_t b80, std::uint8_t b81) {
    auto bytes = test::makeZoneDatabase(ZoneTable{});
    bytes[80] = b80;
    bytes[81] = b81;
    writeBytes(f.file("bad.pdb"), bytes);
    return f.file("bad.pdb");
}

INSTANTIATE_TEST_SUITE_P(
    Table, PdbToMapFailure,
    testing::Values(
        FailureCase{"name under four characters",
                    [](const test::TempFolder& f) {
                        writeBytes(f.file("abc"), test::makeZoneDatabase(ZoneTable{}));
                        return f.file("abc");
                    },
                    reportHead(5)},
        FailureCase{"missing PDB", [](const test::TempFolder& f) { return f.file("none.pdb"); },
                    reportHead(53)},
        FailureCase{"missing folder",
                    [](const test::TempFolder& f) { return f.file("gone/zones.pdb"); },
                    reportHead(76)},
        FailureCase{"folder given as the PDB",
                    [](const test::TempFolder& f) {
                        fs::create_directory(f.file("dir.pdb"));
                        return f.file("dir.pdb");
                    },
                    reportHead(75)},
        FailureCase{"header 0x7F 0xFE",
                    [](const test::TempFolder& f) { return databaseWithHeader(f, 0x7F, 0xFE); },
                    reportHead(6)},
        FailureCase{"header byte 80 of 128",
                    [](const test::TempFolder& f) { return databaseWithHeader(f, 0x80, 0xA2); },
                    reportHead(6)},
        FailureCase{"header below the window",
                    [](const test::TempFolder& f) { return databaseWithHeader(f, 0x09, 0x99); },
                    "Error : Invalid PDB file."},
        FailureCase{"header above the window",
                    [](const test::TempFolder& f) { return databaseWithHeader(f, 0x09, 0xAF); },
                    "Error : Invalid PDB file."},
        FailureCase{"shorter than 81 bytes",
                    [](const test::TempFolder& f) {
                        writeBytes(f.file("tiny.pdb"), std::vector<std::uint8_t>(40, 9));
                        return f.file("tiny.pdb");
                    },
                    "Error : Invalid PDB file."},
        FailureCase{"binary garbage",
                    [](const test::TempFolder& f) {
                        std::vector<std::uint8_t> bytes(4096);
                        for (std::size_t i = 0; i < bytes.size(); ++i)
                            bytes[i] = static_cast<std::uint8_t>(i * 151 + 7);
                        writeBytes(f.file("junk.pdb"), bytes);
                        return f.file("junk.pdb");
                    },
                    "Error : Invalid PDB file."},
        FailureCase{"the Map file itself",
                    [](const test::TempFolder& f) { return f.file("old.map"); }, reportHead(75)},
        FailureCase{"a link to the Map file",
                    [](const test::TempFolder& f) {
                        test::makeLink(f.file("old.map"), f.file("link.pdb"));
                        return f.file("link.pdb");
                    },
                    reportHead(75)}));

TEST_F(PdbToMapTest, ShortDatabaseGivesZerosForMissingZones) {
    auto bytes = test::makeZoneDatabase(test::sampleZones());
    bytes.resize(test::kRecordOffset + 201);  // zones 0 to 99 present
    writeBytes(path("short.pdb"), bytes);
    run(path("short.map"), path("short.pdb"));
    ZoneTable expected = test::sampleZones();
    for (std::size_t k = 100; k < kZoneCount; ++k) expected[k] = 0;
    EXPECT_EQ(readText(path("short.map")), test::mapText(expected, "short"));
}

TEST_F(PdbToMapTest, MissingMapFolderIsPathNotFound) {
    writeBytes(path("zones.pdb"), test::makeZoneDatabase(ZoneTable{}));
    const auto fields = run(path("nowhere/zones.map"), path("zones.pdb"));
    EXPECT_EQ(shownHead(), reportHead(76));
    EXPECT_EQ(fields.cleared, "");
}

// Links and permission bits as Unix has them.
#ifndef _WIN32
TEST_F(PdbToMapTest, KeepsTheLinkAndThePermissionsOfAnExistingMap) {
    writeBytes(path("zones.pdb"), test::makeZoneDatabase(test::sampleZones()));
    fs::create_directory(path("real"));
    writeText(path("real/zones.map"), "old");
    ::chmod(path("real/zones.map").c_str(), 0640);
    fs::create_symlink("real/zones.map", path("link.map"));

    run(path("link.map"), path("zones.pdb"));
    EXPECT_EQ(prompts(), std::vector<std::string>{kMapCreated});
    EXPECT_TRUE(fs::is_symlink(path("link.map")));
    EXPECT_EQ(readText(path("real/zones.map")), test::mapText(test::sampleZones(), "zones"));
    struct stat info {};
    ASSERT_EQ(::stat(path("real/zones.map").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}
#endif

TEST_F(PdbToMapTest, LongNamesWriteAHeaderThatReadsBack) {
    const std::string name = "a_rather_long_zone_database_name";
    writeBytes(path(name + ".pdb"), test::makeZoneDatabase(test::sampleZones()));
    run(path("long.map"), path(name + ".pdb"));
    NativeFileSystem files;
    auto map = files.openRead(path("long.map"));
    const ScannedMap scanned = scanMapFile(*map);
    EXPECT_EQ(scanned.count, 256u);
    EXPECT_EQ(scanned.zones, test::sampleZones());
}

}  // namespace
}  // namespace zonora
