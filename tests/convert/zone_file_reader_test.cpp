#include "convert/zone_file_reader.h"

#include <gtest/gtest.h>

#include "tests/support/expected_text.h"
#include "tests/support/memory_files.h"
#include "tests/support/pdb_image.h"

namespace zonora {
namespace {

using Kind = ZoneFileKind;
using Status = ZoneFileReading::Status;
using Note = MapNote::Kind;

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

std::string utf16(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) bytes += std::string{c, '\0'};
    return bytes;
}

std::string sampleMap() { return test::mapText(test::sampleZones(), "zones"); }

// Counts the files opened, to show that the reader opens each once.
struct CountingFiles : test::MemoryFileSystem {
    std::unique_ptr<InputFile> openRead(const std::string& path) override {
        ++opened;
        return MemoryFileSystem::openRead(path);
    }
    int opened = 0;
};

TEST(ZoneFileKind, ByNameAndHeaderOrByContent) {
    const auto pdb = test::makeZoneDatabase(test::sampleZones());
    const auto headerNamedPdb =
        test::makeZoneDatabase({}, test::kRecordOffset, "Druma a.PDB convert on x");
    struct Case {
        std::string path;  // empty: by content
        std::vector<std::uint8_t> start;
        Kind kind;
    };
    const Case cases[] = {
        {"a.MAP", pdb, Kind::Map},
        {"a.txt", bytesOf(sampleMap()), Kind::Map},
        {"a.txt", bytesOf(utf16(sampleMap())), Kind::Map},
        {"a.txt", bytesOf("\r\n" + sampleMap()), Kind::Pdb},  // no header first
        {"a.pdb", pdb, Kind::Pdb},
        {"a.pdb", headerNamedPdb, Kind::Pdb},
        {"", pdb, Kind::Pdb},
        {"", headerNamedPdb, Kind::Pdb},
        {"", bytesOf("\r\n" + sampleMap()), Kind::Map},
        {"", bytesOf(utf16("   1   2")), Kind::Map},
        {"", {}, Kind::Map},
    };
    for (const Case& c : cases) {
        const Kind kind = c.path.empty() ? zoneFileKind(c.start) : zoneFileKind(c.path, c.start);
        EXPECT_EQ(kind, c.kind) << c.path << " " << c.start.size();
    }
}

TEST(ZoneFileReader, ReadsEachKindOpeningTheFileOnce) {
    std::vector<std::uint8_t> overflowing(3000, 0);
    overflowing[80] = 200;
    CountingFiles files;
    files.files["zones.dat"] = test::makeZoneDatabase(test::sampleZones());
    files.files["zones.txt"] = bytesOf(sampleMap());
    files.files["bad.pdb"] = std::vector<std::uint8_t>(3000, 1);
    files.files["overflow.pdb"] = overflowing;
    struct Case {
        std::string path;
        Kind kind;
        Status status;
        std::size_t count;
        int error;
    };
    const Case cases[] = {
        {"zones.dat", Kind::Pdb, Status::Read, 256, 0},
        {"zones.txt", Kind::Map, Status::Read, 256, 0},
        {"bad.pdb", Kind::Pdb, Status::InvalidPdb, 0, 0},
        {"overflow.pdb", Kind::Pdb, Status::Failed, 0, 6},
        {"gone.map", Kind::Map, Status::Failed, 0, 53},
    };
    for (const Case& c : cases) {
        files.opened = 0;
        const ZoneFileReading reading = readZoneFile(c.path, files);
        EXPECT_EQ(files.opened, 1) << c.path;
        EXPECT_EQ(reading.kind, c.kind) << c.path;
        EXPECT_EQ(reading.status, c.status) << c.path;
        EXPECT_EQ(reading.count, c.count) << c.path;
        EXPECT_EQ(reading.error ? reading.error->number : 0, c.error) << c.path;
        if (c.status == Status::Read) {
            EXPECT_EQ(reading.zones, test::sampleZones()) << c.path;
        }
    }
    // Told the kind, the reader does not guess it.
    EXPECT_EQ(readZoneFile("zones.dat", files, Kind::Map).kind, Kind::Map);
}

TEST(ZoneFileReader, TellsWhatTheScannerPassedOverRoundedOrStoppedOn) {
    const std::string row = "   1   2   3   4   5   6   7   8   9  10  11  12  13  14  15  16";
    const std::string text =
        "\xEF\xBB\xBF"
        "Druma z.PDB convert on 4/12/2002\r\n"  // not a note
        "   \r\n"                               // blank
        "12 34\r\n" +
        row.substr(0, 56) + " 2.5  300 abc 1e9999 007 -3\r\n" + row + "\r\n99\r\n";
    const ZoneFileReading reading = readZoneBytes(bytesOf(text), "m.map", Kind::Map);
    EXPECT_EQ(reading.status, Status::Stops);
    EXPECT_EQ(reading.count, 34u);
    struct Expected {
        Note kind;
        std::size_t line;
        std::string word;
        std::size_t lengthOrZone;
        int value;
    };
    const Expected expected[] = {
        {Note::LinePassedOver, 3, "", 5, 0},       {Note::WordTaken, 4, "2.5", 14, 2},
        {Note::WordPassedOver, 4, "300", 0, 0},    {Note::WordTaken, 4, "abc", 15, 0},
        {Note::WordPassedOver, 4, "1e9999", 0, 0},  // 007 reads as it stands: no note
        {Note::WordStops, 4, "-3", 0, 0},          {Note::LinePassedOver, 6, "", 2, 0},
    };
    ASSERT_EQ(reading.notes.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const MapNote& note = reading.notes[i];
        const Expected& e = expected[i];
        EXPECT_EQ(note.kind, e.kind) << i;
        EXPECT_EQ(note.line, e.line) << i;
        EXPECT_EQ(note.word, e.word) << i;
        EXPECT_EQ(e.kind == Note::LinePassedOver ? note.length : note.zone, e.lengthOrZone) << i;
        EXPECT_EQ(note.value, e.value) << i;
    }
    ASSERT_TRUE(reading.error);
    EXPECT_EQ(reading.error->number, 6);
    EXPECT_EQ(reading.error->description,
              "Overflow: \"-3\" on line 4 of m.map is outside 0 to 255");
    EXPECT_EQ(reading.notes[5].error->description, reading.error->description);
    EXPECT_EQ(reading.notes.front().zone, 0u);  // where a passed-over line falls
    EXPECT_EQ(reading.notes.back().zone, 34u);
    EXPECT_EQ(reading.zones[17], 0);  // the stopping word keeps its place
    EXPECT_EQ(reading.zones[18], 1);
}

}  // namespace
}  // namespace zonora
