#include <gtest/gtest.h>

#include "platform/runtime_error.h"
#include "tests/support/memory_files.h"
#include "tests/support/native_file_system.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"
#include "zone/map_file.h"
#include "zone/map_header.h"
#include "zone/map_text.h"

#ifndef _WIN32
#include <sys/resource.h>

#include "tests/support/child_process.h"
#endif

namespace zonora {
namespace {

struct Scan {
    ScannedMap map;
    int error = 0;
};

Scan scan(const std::string& text) {
    test::MemoryInputFile file(asBytes(text), 7);
    try {
        return {scanMapFile(file), 0};
    } catch (const RuntimeError& error) {
        return {{}, error.number};
    }
}

// Pads a line with trailing blanks to the given length: blanks make empty
// words, which are passed over.
std::string padded(std::string line, std::size_t length = 64) {
    line.resize(std::max(line.size(), length), ' ');
    return line;
}

std::vector<int> values(const Scan& s) {
    return {s.map.zones.begin(), s.map.zones.begin() + static_cast<std::ptrdiff_t>(s.map.count)};
}

TEST(MapScanner, ReadsBackWhatTheWriterWrote) {
    const ZoneTable zones = test::sampleZones();
    for (const std::string& name :
         std::vector<std::string>{"zones", "seventeen_chars_x", "eighteen_chars_xyz",
                                  std::string(80, 'n'), std::string(200, 'n')}) {
        SCOPED_TRACE(name);
        const Scan s = scan(formatMapFile(zones, mapFileHeader(name, "4/12/2002", "2:00:33 PM")));
        EXPECT_EQ(s.error, 0);
        EXPECT_EQ(s.map.count, 256u);
        EXPECT_EQ(s.map.zones, zones);
    }
}

TEST(MapScanner, TakesLinesOf60To126CharactersOnly) {
    EXPECT_EQ(values(scan(padded("1 2 3", 59) + "\r\n")), std::vector<int>{});
    EXPECT_EQ(values(scan(padded("1 2 3", 60) + "\r\n")), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(values(scan(padded("1 2 3", 126) + "\r\n")), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(values(scan(padded("1 2 3", 127) + "\r\n")), std::vector<int>{});
    // A last line without a line end counts like any other.
    EXPECT_EQ(values(scan(padded("4 5", 60))), (std::vector<int>{4, 5}));
}

TEST(MapScanner, EndsLinesAtCrLfLfOrCr) {
    const std::string line = padded("7 8");
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        const Scan s = scan(line + end + end + line + end);
        EXPECT_EQ(values(s), (std::vector<int>{7, 8, 7, 8})) << "line end " << end.size();
    }
    // Mixed ends in one file.
    EXPECT_EQ(values(scan(line + "\n" + line + "\r" + line + "\r\n" + line)),
              (std::vector<int>{7, 8, 7, 8, 7, 8, 7, 8}));
}

TEST(MapScanner, ValuesOfWords) {
    struct Case {
        std::string words;
        std::vector<int> zones;
    };
    const std::vector<Case> cases = {
        {"0 45 255", {0, 45, 255}},
        {"256 1000 12", {12}},     // 256 or more: passed over
        {"abc x1 -0", {0, 0, 0}},  // no number: a zone of 0
        {"12abc 3.7kg 1e2 1E1", {12, 4, 100, 10}},
        {"0.5 1.5 2.5 3.5 254.5", {0, 2, 2, 4, 254}},  // halves to the even neighbour
        {"-0.4 -0.5 +7 .5 1. 7.", {0, 0, 7, 0, 1, 7}},
        {"1\t2 3\t\t4", {12, 34}},  // tabs do not split, they are skipped
        {"1e 2e+ 3d1 4D-1", {1, 2, 30, 0}},
        {"1e400 1e-400", {0}},  // too large: passed over; tiny: 0
        {"1.2.3 --5 2-3", {1, 0, 2}},
        {std::string("5\0"
                     "6 9",
                     5),
         {5, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        const Scan s = scan(padded(c.words) + "\r\n");
        EXPECT_EQ(s.error, 0);
        EXPECT_EQ(values(s), c.zones);
    }
}

TEST(MapScanner, SingleBlanksAndLeadingDigitsReadLikeTheGrid) {
    std::string line;
    for (int v = 0; v < 16; ++v) line += std::to_string(100 + v) + " ";
    line.pop_back();  // 63 characters, starts with a digit
    const Scan s = scan(line + "\r\n" + " " + line + "\r\n");
    std::vector<int> expected;
    for (int round = 0; round < 2; ++round) {
        for (int v = 0; v < 16; ++v) expected.push_back(100 + v);
    }
    EXPECT_EQ(values(s), expected);
}

TEST(MapScanner, StopsWithOverflowOrSubscriptErrors) {
    EXPECT_EQ(scan(padded("1 -3") + "\r\n").error, 6);
    EXPECT_EQ(scan(padded("255.7") + "\r\n").error, 6);
    EXPECT_EQ(scan(padded("255.5") + "\r\n").error, 6);  // rounds to 256
    EXPECT_EQ(scan(padded("-1e400") + "\r\n").error, 6);
    EXPECT_EQ(scan(padded("255.49 -0.5") + "\r\n").error, 0);

    std::string full;
    for (int r = 0; r < 16; ++r) full += padded("1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1") + "\r\n";
    EXPECT_EQ(scan(full).map.count, 256u);
    EXPECT_EQ(scan(full + padded("300 1e9") + "\r\n").error, 0);  // passed over, not stored
    EXPECT_EQ(scan(full + padded("7") + "\r\n").error, 9);
    // The 257th value raises 9 before its own overflow is seen.
    EXPECT_EQ(scan(full + padded("-3") + "\r\n").error, 9);
}

TEST(MapScanner, CountsFewerValuesAndLeavesTheRestZero) {
    std::string text;
    for (int r = 0; r < 13; ++r) {
        std::string line;
        for (int c = 0; c < 16; ++c) line += "  77";
        text += line + "\r\n";
    }
    text += padded("9 9 9 9 9 9 9 9") + "\r\n";
    const Scan s = scan(text);
    EXPECT_EQ(s.map.count, 216u);
    EXPECT_EQ(s.map.zones[215], 9);
    EXPECT_EQ(s.map.zones[216], 0);
    EXPECT_EQ(scan("").map.count, 0u);
}

TEST(MapScanner, SkipsOnlyItsOwnHeaderOnTheFirstLine) {
    const std::string header = padded("Druma x.PDB convert on 4/12/2002 2:00:33 PM", 70);
    EXPECT_EQ(scan(header + "\r\n").map.count, 0u);
    // Not on the first line: the words count ("Druma", "x.PDB", ... date 4, time 2).
    EXPECT_EQ(values(scan("\r\n" + header + "\r\n")), (std::vector<int>{0, 0, 0, 0, 4, 2, 0}));
    // Not the header's shape: read as data.
    EXPECT_EQ(scan(padded("Druma 5 6") + "\r\n").map.count, 3u);
}

TEST(MapScanner, BinaryGarbageGivesACountOrANamedError) {
    std::string garbage;
    std::uint32_t state = 12345;
    for (int i = 0; i < 100000; ++i) {
        state = state * 1103515245u + 12345u;
        garbage.push_back(static_cast<char>(state >> 24));
    }
    const Scan s = scan(garbage);
    EXPECT_TRUE(s.error == 0 || s.error == 6 || s.error == 9) << s.error;
    EXPECT_LE(s.map.count, 256u);
}

// An address-space limit for one child process is a Unix matter; WebAssembly
// has no child processes.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
TEST(MapScanner, ScansAHugeSingleLineInBoundedMemory) {
    if (test::addressSanitizerRuns()) GTEST_SKIP() << "no address-space limit fits the sanitizer";
    const test::ChildEnd end = test::runInChild([] {
        // 64 MiB of address space more than now; the line is 512 MiB, served
        // from memory so that the test needs no disk.
        const std::string status = test::readText("/proc/self/status");
        const rlim_t used = std::stoull(status.substr(status.find("VmSize:") + 7)) * 1024;
        const rlimit limit{used + (64u << 20), used + (64u << 20)};
        setrlimit(RLIMIT_AS, &limit);
        const std::string sevens(4096, '7');
        test::MemoryInputFile file(asBytes(sevens), 0, (512u << 20) / sevens.size());
        return scanMapFile(file).count == 0 ? 0 : 2;
    });
    EXPECT_TRUE(end.succeeded()) << test::describe(end);
}
#endif

TEST(MapScanner, ReadsRealFilesThroughTheFileLayer) {
    test::TempFolder folder;
    test::writeText(folder.file("m.map"), padded("1 2 3") + "\r\n");
    NativeFileSystem files;
    auto file = files.openRead(folder.file("m.map"));
    const ScannedMap map = scanMapFile(*file);
    EXPECT_EQ(map.count, 3u);
    EXPECT_EQ(map.zones[2], 3);
}

// Errors 6 and 9 say where: the path, the line (counted from 1, every kind of
// line end and skipped line included) and the word as written.
TEST(MapScanner, ErrorsNameThePathTheLineAndTheWord) {
    std::string full;
    for (int r = 0; r < 16; ++r) full += padded("1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1") + "\r\n";
    struct Case {
        std::string text;
        int number;
        std::string description;
    };
    const Case cases[] = {
        {"\r\n\r\n\r\n\r\n" + padded("1 255.7"), 6,
         "Overflow: \"255.7\" on line 5 of C:\\maps\\zones.map is outside 0 to 255"},
        {"short\n\r" + padded("-3x 7"), 6,
         "Overflow: \"-3x\" on line 3 of C:\\maps\\zones.map is outside 0 to 255"},
        {full + "\r\n\r\n\r\n" + padded("12 13"), 9,
         "Subscript out of range: more than 256 numbers in C:\\maps\\zones.map; the 257th is "
         "\"12\" on line 20"},
        {full + padded("-3"), 9,  // 9 comes first, with the word that would overflow
         "Subscript out of range: more than 256 numbers in C:\\maps\\zones.map; the 257th is "
         "\"-3\" on line 17"},
        {padded("7\t\xE9 300"), 0, ""},
        {padded("1 -2\xE9"), 6,  // bytes of another code page are not copied into the text
         "Overflow: \"-2?\" on line 1 of C:\\maps\\zones.map is outside 0 to 255"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        test::MemoryInputFile file(asBytes(c.text), 5);
        try {
            scanMapFile(file, "C:\\maps\\zones.map");
            EXPECT_EQ(c.number, 0);
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number, c.number);
            EXPECT_EQ(error.source, "Velbar");
            EXPECT_EQ(error.description, c.description);
        }
    }
}

// What an observer is told, one line an event.
class Events : public MapScanObserver {
  public:
    void linePassedOver(std::size_t line, std::size_t length, std::string_view start) override {
        text += "line " + std::to_string(line) + " " + std::to_string(length) + " [" +
                std::string(start.substr(0, 5)) + "]\n";
    }
    void wordPassedOver(const MapWord& w) override { text += word(w) + " over\n"; }
    void wordTaken(const MapWord& w, std::size_t zone, std::uint8_t made) override {
        text += word(w) + " zone " + std::to_string(zone) + "=" + std::to_string(made) + "\n";
    }
    void wordStops(const MapWord& w, const RuntimeError& error) override {
        text += word(w) + " stops " + std::to_string(error.number) + "\n";
    }
    static std::string word(const MapWord& w) {
        return std::to_string(w.line) + ":" + std::string(w.text);
    }
    std::string text;
};

// The observer hears of every line and word passed over, taken or stopping
// the conversion; it goes on past the stops, and its count goes past 256.
TEST(MapScanner, TellsAnObserverEverythingAndGoesOnPastStops) {
    std::string full;
    for (int r = 0; r < 16; ++r) full += padded("1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1") + "\r\n";
    struct Case {
        std::string text;
        std::string events;
        std::size_t count;
    };
    const Case cases[] = {
        {padded("Druma x.PDB convert on 4/12/2002 2:00:33 PM", 70) + "\r\n\r\nshort\r\n" +
             std::string(127, '9'),
         "line 1 70 [Druma]\nline 2 0 []\nline 3 5 [short]\nline 4 127 [99999]\n", 0},
        {padded("7 300 2.5 -3 x"),
         "1:7 zone 0=7\n1:300 over\n1:2.5 zone 1=2\n1:-3 stops 6\n1:x zone 3=0\n", 4},
        // The 257th stops, the rest only count; the 256 before are told as taken.
        {full + padded(" 5 -3 6"), "17:5 stops 9\n", 259},
    };
    for (const Case& c : cases) {
        test::MemoryInputFile file(asBytes(c.text), 3);
        Events events;
        const ScannedMap map = scanMapFile(file, "m", &events);
        if (c.count > kZoneCount) {
            EXPECT_TRUE(events.text.ends_with(c.events)) << events.text;
        } else {
            EXPECT_EQ(events.text, c.events);
        }
        EXPECT_EQ(map.count, c.count);
    }
}

std::string utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// After a UTF-16 mark, the text in the ANSI code page (Windows-1252 here and
// under Wine), one byte a character, '?' for what it lacks; any other bytes
// as they are. However the reads break the file.
TEST(MapText, Utf16AfterItsMarkBytesOtherwise) {
    struct Case {
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {utf16(u"1 \u00e9\u20ac\r\n", false), "1 \xE9\x80\r\n"},
        {utf16(u"1 \u00e9\u20ac\r\n", true), "1 \xE9\x80\r\n"},
        {utf16(u"\u0151\U0001F600.", false), "??."},  // not in the code page; one pair, one '?'
        {utf16(std::u16string{u'a', 0xD800, u'b', 0xDC00}, false),
         "a?b?"},  // halves of a pair alone
        {utf16(std::u16string{0xD800}, true), "?"},
        {utf16(u"a", false) + "b", "a?"},  // a half character at the end
        {utf16(u"", false), ""},
        {"\xFF", "\xFF"},
        {"\xFE\xFE\xFF\xFE", "\xFE\xFE\xFF\xFE"},
        {"\xEF\xBB\xBF"
         "1 2",
         "\xEF\xBB\xBF"
         "1 2"},  // UTF-8's mark is left as it was
    };
    for (const Case& c : cases) {
        for (std::size_t readSize : {std::size_t{0}, std::size_t{1}}) {
            test::MemoryInputFile file(asBytes(c.bytes), readSize);
            MapTextReader reader(file);
            std::string text;
            for (std::string_view piece; !(piece = reader.next()).empty();) text += piece;
            EXPECT_EQ(text, c.text) << c.bytes.size() << " bytes, reads of " << readSize;
        }
    }
}

}  // namespace
}  // namespace zonora
