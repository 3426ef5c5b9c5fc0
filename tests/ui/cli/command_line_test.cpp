#include <gtest/gtest.h>

#include <filesystem>

#include "convert/conversion.h"
#include "platform/runtime_error.h"
#include "tests/ui/cli/cli_fixture.h"
#include "ui/cli/check_command.h"
#include "ui/cli/diff_command.h"
#include "ui/cli/program_start.h"
#include "ui/cli/terminal_message_box.h"

namespace zonora::test {
namespace {

const std::string kMapCreated = "Conversion Complete.  New Tesk Map file created.\n";
const std::string kPdbCreated = "Conversion Complete.  New Druma PDB file created.\n";
const std::string kUseInstallTool =
    "Please use Palm's Install tool to load the converted PDB file on next Hotsync.\n";

// The sample Map file's lines, without their ends, and a file made of lines.
std::vector<std::string> sampleMapLines() {
    const std::string text = readText(sampleFile("zones.map"));
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}
std::string mapText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}
// The sample with some of its lines (numbered from 1) changed.
std::string sampleMapWith(const std::vector<std::pair<std::size_t, std::string>>& changes) {
    auto lines = sampleMapLines();
    for (const auto& [number, line] : changes) lines[number - 1] = line;
    return mapText(lines);
}
// ASCII text as Notepad's "Unicode" saves it, in either byte order.
std::string utf16Twin(const std::string& ascii, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return bytes;
}
// Every '@' in a report stands for the file's path.
std::string withPath(std::string text, const std::string& path) {
    for (std::size_t at; (at = text.find('@')) != std::string::npos;) text.replace(at, 1, path);
    return text;
}

// Both programs' one rule for their arguments. The program's own name comes
// first and is never a file to open; a file opened is shown where it is.
TEST(ProgramStart, CommandsRunOneFileOpensAnythingElseIsAUsageError) {
    using Action = ProgramStart::Action;
    const std::u8string folder = std::filesystem::current_path().u8string();
#ifdef _WIN32
    const std::string here = std::string(folder.begin(), folder.end()) + "\\";
    const std::string given = "C:\\z\\..\\y\\zones.map";
    const std::string absolute = "C:\\y\\zones.map";
#else
    const std::string here = std::string(folder.begin(), folder.end()) + "/";
    const std::string given = "/data/z/../y/./zones.map";
    const std::string absolute = "/data/y/zones.map";
#endif
    struct Case {
        std::vector<std::string> commandLine;
        Action action;
        std::string file;
    };
    const Case cases[] = {
        {{"/usr/bin/zonora"}, Action::Window, ""},
        {{"zonora", "zones.pdb"}, Action::Window, here + "zones.pdb"},
        {{"zonora", "Zonen \xc3\xbc\xe6\x97\xa5.pdb"},
         Action::Window,
         here + "Zonen \xc3\xbc\xe6\x97\xa5.pdb"},
        {{"zonora", given}, Action::Window, absolute},
        {{"zonora", "to-map"}, Action::Command, ""},
        {{"zonora", "to-pdb", "a.map"}, Action::Command, ""},
        {{"zonora", "--help"}, Action::Command, ""},
        {{"zonora", "-h"}, Action::Command, ""},
        {{"zonora", "--version"}, Action::Command, ""},
        {{"zonora", "-o", "x", "to-map", "z.pdb"}, Action::UsageError, ""},
        {{"zonora", "zones.map", "other.map"}, Action::UsageError, ""},
        {{"zonora", "-platform", "offscreen"}, Action::UsageError, ""},
        {{"zonora", "-v"}, Action::UsageError, ""},  // an option alone is not a file
        {{"zonora", ""}, Action::UsageError, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.commandLine));
        const ProgramStart start = programStart(c.commandLine);
        EXPECT_EQ(start.action, c.action);
        EXPECT_EQ(start.file, c.file);
        EXPECT_EQ(start.arguments,
                  std::vector<std::string>(c.commandLine.begin() + 1, c.commandLine.end()));
        EXPECT_EQ(start.problem.empty(), c.action != Action::UsageError);
    }
}

TEST(CommandLine, UsageErrorsTouchNothingAndGiveStatusTwo) {
    struct Case {
        std::vector<std::string> arguments;
        const char* message;
    };
    const Case cases[] = {
        {{"convert", "a.pdb"}, "unknown command \"convert\""},
        {{"to-map"}, "to-map needs at least one file"},
        {{"to-pdb", "--yes"}, "to-pdb needs at least one file"},
        {{"to-map", "a.pdb", "-o"}, "-o needs a file or folder name"},
        {{"to-map", "a.pdb", "-o", ""}, "-o needs a file or folder name"},
        {{"to-map", "a.pdb", "-o", "x", "-o", "y"}, "-o given twice"},
        {{"to-map", "--yes", "a.pdb"}, "--yes applies to to-pdb only"},
        {{"to-pdb", "--yes", "a.map", "--no"}, "--yes and --no together"},
        {{"to-map", "-x", "a.pdb"}, "unknown option \"-x\""},
        {{"to-map", ""}, "an empty file name"},
        {{"to-map", "a.pdb", "a.pdb", "-o", "-"}, "-o - takes one input"},
        {{"check"}, "check needs at least one file"},
        {{"check", "a.pdb", "-o", "x"}, "-o applies to to-map and to-pdb only"},
        {{"diff", "a.pdb"}, "diff needs two files"},
        {{"diff", "a.pdb", "a.pdb", "a.pdb"}, "diff needs two files"},
        {{"check", "--yes", "a.pdb"}, "--yes applies to to-pdb only"},
        {{"to-pdb", "-"}, "- needs -o naming a file"},
        {{"to-map", "-", "-o", "-"}, "- needs -o naming a file"},
        {{"to-map", "-", "a.pdb", "-o", "x"}, "- takes no other input"},
        {{"check", "-", "a.pdb", "-"}, "- given twice"},
        {{"diff", "-", "-"}, "- given twice"},
    };
    for (const Case& c : cases) {
        CommandLineFixture f;
        const std::string input = f.writePdb("a.pdb");
        std::vector<std::string> arguments = c.arguments;
        for (auto& a : arguments) {
            if (a == "a.pdb") a = input;
        }
        EXPECT_EQ(f.run(arguments), kUsageError) << c.message;
        const std::string err = f.err.str();
        EXPECT_TRUE(
            err.starts_with("zonora: " + std::string(c.message) + "\nUsage: zonora [FILE]\n"))
            << err;
        EXPECT_TRUE(err.ends_with("\nTry 'zonora --help'.\n")) << err;
        EXPECT_EQ(f.out.str(), "");
        EXPECT_EQ(f.input.reads, 0);  // refused before standard input is read
        EXPECT_EQ(f.folder.entries(), (std::vector<std::string>{"Kolpa.org", "a.pdb"}));
    }
}

// Every way of asking gives the one help, which tells the statuses.
TEST(CommandLine, HelpAndVersion) {
    CommandLineFixture f;
    EXPECT_EQ(f.run({"--help"}), kAllConverted);
    const std::string help = f.out.str();
    for (const auto& arguments :
         {std::vector<std::string>{"-h"}, {"to-pdb", "--help"}, {"to-map", "x.pdb", "--help"}}) {
        EXPECT_EQ(f.run(arguments), kAllConverted);
        EXPECT_EQ(f.out.str(), help);
        EXPECT_EQ(f.err.str(), "");
    }
    for (const char* line :
         {"  0  every file was converted\n",
          "  1  a file was not converted (the others still were)\n", "  2  usage error\n",
          "zonora to-pdb FILE.map... [-o OUT] [--yes | --no]"}) {
        EXPECT_NE(help.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(f.run({"--version"}), kAllConverted);
    EXPECT_EQ(f.out.str(), "zonora " ZONORA_PROJECT_VERSION "\n");
}

TEST(CommandLine, OutputNames) {
    CommandLineFixture f;
    std::filesystem::create_directory(f.folder.path() / "out");
    const std::string out = f.file("out");
    struct Case {
        std::vector<std::string> inputs;
        bool toPdb;
        std::optional<std::string> output;
        std::string expected;  // for the first input
    };
    const Case cases[] = {
        {{"/z/zones.pdb"}, false, std::nullopt, "/z/zones.MAP"},
        {{"/z/zones.map"}, true, std::nullopt, "/z/zones.PDB"},
        {{"zones"}, false, std::nullopt, "zoMAP"},  // the last three characters, whatever they are
        {{"/z/zones.pdb"}, false, "/y/table.txt", "/y/table.txt"},
        {{"/z/zones.pdb"}, false, out, (std::filesystem::path(out) / "zones.MAP").string()},
        {{"/z/a.map", "/w/b.map"}, true, out, (std::filesystem::path(out) / "a.PDB").string()},
        {{"/z/a.map", "/w/b.map"},
         true,
         "/new",
         (std::filesystem::path("/new") / "a.PDB").string()},
    };
    for (const Case& c : cases) {
        ConvertCommand command;
        command.inputs = c.inputs;
        command.toPdb = c.toPdb;
        command.output = c.output;
        EXPECT_EQ(outputPath(c.inputs.front(), command), c.expected);
    }
    ConvertCommand tooShort;
    tooShort.inputs = {"ab"};
    EXPECT_THROW(outputPath("ab", tooShort), RuntimeError);
}

// What to-pdb must make of the sample Map for a PDB named "zones", built by
// the layout rules from the sample template.
std::vector<std::uint8_t> sampleMapAsPdb() {
    return patchedZoneDatabase(readBytes(sampleFile("Kolpa.org")), sampleZones(), "zones");
}

// The sample PDB converts to the sample Map, and the Map back to its table.
TEST(CommandLine, ConvertsBothWaysToTheSamples) {
    CommandLineFixture f;
    const std::string pdb = f.writePdb("zones.pdb");
    EXPECT_EQ(f.run({"to-map", pdb}), kAllConverted);
    EXPECT_EQ(readBytes(f.file("zones.MAP")), readBytes(sampleFile("zones.map")));
    EXPECT_EQ(f.out.str(), kMapCreated);
    EXPECT_EQ(f.err.str(), "");

    const std::string map = f.file("zones.map");
    writeBytes(map, readBytes(sampleFile("zones.map")));
    std::filesystem::create_directory(f.folder.path() / "made");
    const std::string made = f.file("made/zones.pdb");
    EXPECT_EQ(f.run({"to-pdb", map, "-o", made}), kAllConverted);
    EXPECT_EQ(readBytes(made), sampleMapAsPdb());
    EXPECT_EQ(f.out.str(), kPdbCreated + kUseInstallTool);
    EXPECT_EQ(f.fakes.installTool.handedOff.back(), made);
}

TEST(CommandLine, SeveralFilesOneFailingTheOthersStillDone) {
    CommandLineFixture f;
    std::filesystem::create_directory(f.folder.path() / "maps");
    const std::string first = f.writePdb("first.pdb");
    const std::string last = f.writePdb("last.pdb");
    writeBytes(f.file("bad.pdb"), std::vector<std::uint8_t>(40, 9));  // too short for a header
    const int status = f.run(
        {"to-map", first, f.file("missing.pdb"), f.file("bad.pdb"), last, "-o", f.file("maps")});
    EXPECT_EQ(status, kSomeNotConverted);
    EXPECT_TRUE(std::filesystem::exists(f.folder.path() / "maps" / "first.MAP"));
    EXPECT_TRUE(std::filesystem::exists(f.folder.path() / "maps" / "last.MAP"));
    EXPECT_FALSE(std::filesystem::exists(f.folder.path() / "maps" / "bad.MAP"));
    EXPECT_EQ(f.out.str(), kMapCreated + "Error : Invalid PDB file.\n" + kMapCreated);
    EXPECT_EQ(f.err.str(), "Error #  53 was generated by Velbar: File not found: " +
                               f.file("missing.pdb") + "\n");
}

TEST(CommandLine, ShortMapAnsweredByFlagOrNotConverted) {
    struct Case {
        std::vector<std::string> flags;
        int status;
        bool made;
        std::string out;
        std::string err;
    };
    const std::string question = "MAP File contains only 200 zone data.  Continue?";
    const Case cases[] = {
        {{"--yes"},
         kAllConverted,
         true,
         question + " [y/N] y\n" + kPdbCreated + kUseInstallTool,
         ""},
        {{"--yes", "--yes"},
         kAllConverted,
         true,
         question + " [y/N] y\n" + kPdbCreated + kUseInstallTool,
         ""},
        {{"--no"}, kSomeNotConverted, false, question + " [y/N] n\n", ""},
        {{}, kSomeNotConverted, false, "", question + " " + kNoOneToAnswer + "\n"},
    };
    for (const Case& c : cases) {
        CommandLineFixture f;
        const std::string map = f.writeMap("short.map", 200);
        std::vector<std::string> arguments{"to-pdb", map};
        arguments.insert(arguments.end(), c.flags.begin(), c.flags.end());
        EXPECT_EQ(f.run(arguments), c.status);
        EXPECT_EQ(std::filesystem::exists(f.folder.path() / "short.PDB"), c.made);
        EXPECT_EQ(f.out.str(), c.out);
        EXPECT_EQ(f.err.str(), c.err);
    }
}

TEST(CommandLine, MapErrorsSayWhereOnOneLine) {
    struct Case {
        std::string extra;  // after 16 full lines of values
        int count;
        std::string description;
    };
    const std::string row = "   1   2   3   4   5   6   7   8   9  10  11  12  13  14  15  16";
    const Case cases[] = {
        {row.substr(0, 60) + " 255.7\r\n", 16,
         "Overflow: \"255.7\" on line 4 of MAP is outside 0 to 255"},
        {"", 256, ""},
        {"\r\n" + row + "\r\n", 256,
         "Subscript out of range: more than 256 numbers in MAP; the 257th is \"1\" on line 20"},
    };
    for (const Case& c : cases) {
        CommandLineFixture f;
        const std::string map = f.writeMap("zones.map", c.count, c.extra);
        const int status = f.run({"to-pdb", "--yes", map});
        if (c.description.empty()) {
            EXPECT_EQ(status, kAllConverted);
            continue;
        }
        std::string description = c.description;
        description.replace(description.find("MAP"), 3, map);
        const int number = c.description.starts_with("Overflow") ? 6 : 9;
        EXPECT_EQ(status, kSomeNotConverted);
        EXPECT_EQ(f.err.str(), "Error #  " + std::to_string(number) +
                                   " was generated by Velbar: " + description + "\n");
        EXPECT_FALSE(std::filesystem::exists(f.folder.path() / "zones.PDB"));
    }
}

// Runs in the test's folder, so that names may be relative.
struct InFolder {
    explicit InFolder(const std::filesystem::path& folder) {
        std::filesystem::current_path(folder);
    }
    ~InFolder() { std::filesystem::current_path(before); }
    std::filesystem::path before = std::filesystem::current_path();
};

TEST(CommandLine, OddNamesAndAnExistingOutput) {
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string err;
        std::string made;  // holds the sample's grid
    };
    const Case cases[] = {
        {{"to-map", "zones.pdb", "-o", "old.map"}, kAllConverted, "", "old.map"},  // not a folder
        {{"to-map", "ab", "zones.pdb"},  // no name to propose: the others still convert
         kSomeNotConverted,
         "Error #  5 was generated by Velbar: Invalid procedure call or argument\n",
         "zones.MAP"},
        {{"to-map", "--", "-x.pdb"}, kAllConverted, "", "-x.MAP"},
    };
    const std::string sample = readText(sampleFile("zones.map"));
    const std::string grid = sample.substr(sample.find("\r\n"));
    for (const Case& c : cases) {
        CommandLineFixture f;
        const InFolder here(f.folder.path());
        f.writePdb("zones.pdb");
        f.writePdb("-x.pdb");
        writeText(f.file("old.map"), "old");
        EXPECT_EQ(f.run(c.arguments), c.status);
        EXPECT_EQ(f.err.str(), c.err);
        const std::string made = readText(f.file(c.made));
        EXPECT_EQ(made.substr(std::min(made.size(), made.find("\r\n"))), grid) << c.made;
    }
}

TEST(CommandLine, CheckTellsWhatToPdbWouldPassOverRoundOrStopOn) {
    const auto lines = sampleMapLines();
    const std::string row5 = lines[9];  // line 10
    std::string row1 = lines[3];
    row1.replace(0, 4, " -3~");  // a '~' shows as itself
    std::string row2 = lines[5];
    row2.replace(0, 4, "255.7");
    std::string words = "12.5 -0.4 a~c 1e2 300 7 7 7 7 7 7 7 7 7 7 7 7";
    words.resize(64, ' ');  // shorter, it would be passed over
    struct Case {
        std::string text;
        std::string report;
        int status;
    };
    const Case cases[] = {
        {mapText(lines), "@: 256 values: converts unasked\n", kConvertsUnasked},
        {"\xEF\xBB\xBF" + mapText(lines), "@: 256 values: converts unasked\n", kConvertsUnasked},
        {sampleMapWith({{10, lines[0]}}),  // a header anywhere but first is a short line
         "Line 10 of @ passed over: too short, 47 characters (a data line has 60 to 126)\n"
         "@: 240 values, fewer than 256: the conversion asks before going on\n",
         kWouldNotConvertUnasked},
        {utf16Twin(mapText(lines), true), "@: 256 values: converts unasked\n", kConvertsUnasked},
        {sampleMapWith({{10, row5.substr(0, 56)}}),
         "Line 10 of @ passed over: too short, 56 characters (a data line has 60 to 126)\n"
         "@: 240 values, fewer than 256: the conversion asks before going on\n",
         kWouldNotConvertUnasked},
        {sampleMapWith({{10, row5 + row5}}),
         "Line 10 of @ passed over: too long, 128 characters (a data line has 60 to 126)\n"
         "@: 240 values, fewer than 256: the conversion asks before going on\n",
         kWouldNotConvertUnasked},
        {sampleMapWith({{4, words}}),
         "\"12.5\" on line 4 of @ taken as 12 (row 1, column 1)\n"
         "\"-0.4\" on line 4 of @ taken as 0 (row 1, column 2)\n"
         "\"a~c\" on line 4 of @ taken as 0 (row 1, column 3)\n"
         "\"1e2\" on line 4 of @ taken as 100 (row 1, column 4)\n"
         "\"300\" on line 4 of @ passed over: 256 or more, so every later zone moves up one place\n"
         "@: 256 values: converts unasked\n",
         kConvertsUnasked},
        {sampleMapWith({{4, row1}, {6, row2}}),
         "Error #  6 was generated by Velbar: Overflow: \"-3~\" on line 4 of @ is outside 0 to "
         "255\n"
         "Error #  6 was generated by Velbar: Overflow: \"255.7\" on line 6 of @ is outside 0 to "
         "255\n@: 256 values: the conversion stops at the first error above\n",
         kWouldNotConvertUnasked},
        {mapText(lines) + row5 + "\r\n",
         "Error #  9 was generated by Velbar: Subscript out of range: more than 256 numbers in @; "
         "the 257th is \"195\" on line 24\n@: 272 values: the conversion stops at the first error "
         "above\n",
         kWouldNotConvertUnasked},
    };
    for (const Case& c : cases) {
        CommandLineFixture f;
        const std::string map = f.file("m.map");
        writeText(map, c.text);
        EXPECT_EQ(f.run({"check", map}), c.status);
        EXPECT_EQ(f.out.str(), withPath(c.report, map));
        EXPECT_EQ(f.err.str(), "");
    }
    CommandLineFixture f;
    EXPECT_EQ(f.run({"check", f.writeMap("m.map", 256), f.file("gone.map")}),
              kWouldNotConvertUnasked);
    EXPECT_EQ(f.out.str(), withPath("@: 256 values: converts unasked\n", f.file("m.map")));
    EXPECT_EQ(f.err.str(), withPath("Error #  53 was generated by Velbar: File not found: @\n",
                                    f.file("gone.map")));
    EXPECT_EQ(f.run({"check", f.file("gone.map"), f.file("m.map")}), kWouldNotConvertUnasked);
}

TEST(CommandLine, DiffListsTheZonesThatDifferOrReportsARefusedFile) {
    const auto lines = sampleMapLines();
    std::string changed = lines[7];  // row 3
    changed.replace(4, 4, "  99");
    std::string overflow = lines[3];
    overflow.replace(0, 4, "  -3");
    struct Case {
        std::string first;
        std::string second;
        std::string out;
        std::string err;
        int status;
    };
    const Case cases[] = {
        {"zones.pdb", "zones.map", "0 zones differ\n", "", kTablesEqual},
        {"le.map", "be.map", "0 zones differ\n", "", kTablesEqual},
        {"header.txt", "zones.pdb", "0 zones differ\n", "", kTablesEqual},  // known by its header
        {"zones.pdb", "changed.map", "row 3, column 2: 234 -> 99\n1 zone differs\n", "",
         kTablesDiffer},
        {"short.map", "zones.pdb", "row 16, column 16: 0 -> 252\n1 zone differs\n",
         "short.map holds only 255 values, so to-pdb would ask; its last zone counts as 0 here\n",
         kTablesDiffer},
        {"bad.pdb", "zones.pdb", "", "Error : Invalid PDB file.\n", kDiffTrouble},
        {"gone.pdb", "overflow.map", "",
         "Error #  53 was generated by Velbar: File not found: gone.pdb\n"
         "Error #  6 was generated by Velbar: Overflow: \"-3\" on line 4 of overflow.map is "
         "outside 0 to 255\n",
         kDiffTrouble},
    };
    for (const Case& c : cases) {
        CommandLineFixture f;
        const InFolder here(f.folder.path());
        f.writePdb("zones.pdb");
        writeText("zones.map", mapText(lines));
        writeText("header.txt", mapText(lines));
        writeText("le.map", utf16Twin(mapText(lines), false));
        writeText("be.map", utf16Twin(mapText(lines), true));
        writeText("changed.map", sampleMapWith({{8, changed}}));
        writeText("short.map", sampleMapWith({{23, lines[22].substr(0, 60)}}));
        writeText("overflow.map", sampleMapWith({{4, overflow}}));
        writeBytes("bad.pdb", std::vector<std::uint8_t>(40, 9));
        EXPECT_EQ(f.run({"diff", c.first, c.second}), c.status) << c.first << " " << c.second;
        EXPECT_EQ(f.out.str(), c.out);
        EXPECT_EQ(f.err.str(), c.err);
    }
}

// A Map saved as UTF-16, in either order, converts as its ANSI twin does.
TEST(CommandLine, Utf16MapsConvertAsTheirAnsiTwin) {
    CommandLineFixture f;
    const std::string ansi = f.file("ansi.map");
    writeText(ansi, readText(sampleFile("zones.map")));
    const auto expected = sampleMapAsPdb();
    for (const bool bigEndian : {false, true}) {
        writeText(f.file("zones.map"), utf16Twin(readText(ansi), bigEndian));
        EXPECT_EQ(f.run({"to-pdb", f.file("zones.map")}), kAllConverted) << f.err.str();
        EXPECT_EQ(readBytes(f.file("zones.PDB")), expected);
    }
}

TEST(CommandLine, DashOWritesTheOneOutputToStandardOutput) {
    CommandLineFixture f;
    const std::string pdb = f.writePdb("zones.pdb");
    EXPECT_EQ(f.run({"to-map", pdb, "-o", "-"}), kAllConverted);
    EXPECT_EQ(f.data.bytes, readBytes(sampleFile("zones.map")));
    EXPECT_EQ(f.out.str(), "");
    EXPECT_EQ(f.err.str(), kMapCreated);  // messages apart from the data

    // Apart from zones.pdb, which is zones.PDB where case does not count.
    std::filesystem::create_directory(f.folder.path() / "maps");
    const std::string map = f.file("maps/zones.map");
    writeBytes(map, f.data.bytes);
    EXPECT_EQ(f.run({"to-pdb", map, "-o", "-"}), kAllConverted);
    EXPECT_EQ(f.data.bytes, sampleMapAsPdb());  // named as without -o
    EXPECT_EQ(f.err.str(), kPdbCreated + kUseInstallTool);
    EXPECT_TRUE(f.fakes.installTool.handedOff.empty());
    EXPECT_EQ(f.folder.entries(), (std::vector<std::string>{"Kolpa.org", "maps", "zones.pdb"}));
    EXPECT_FALSE(std::filesystem::exists(f.folder.path() / "maps" / "zones.PDB"));

    struct Case {
        std::vector<std::string> arguments;
        bool terminal;
        bool full;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {{"to-map", pdb, "-o", "-"}, true, false, kAllConverted, kMapCreated},
        {{"to-pdb", map, "-o", "-"}, true, false, kUsageError, "zonora: -o - does not write a PDB"},
        {{"to-pdb", map, "-o", "-"},
         false,
         true,
         kSomeNotConverted,
         "Error #  61 was generated by Velbar: Disk full: standard output\n"},
        {{"to-map", f.file("gone.pdb"), "-o", "-"},
         false,
         false,
         kSomeNotConverted,
         "Error #  53 was generated by Velbar: File not found: " + f.file("gone.pdb") + "\n"},
        {{"to-map", "ab", "-o", "-"},  // no name to derive
         false,
         false,
         kSomeNotConverted,
         "Error #  5 was generated by Velbar: Invalid procedure call or argument\n"},
    };
    for (const Case& c : cases) {
        f.data.terminal = c.terminal;
        f.data.full = c.full;
        EXPECT_EQ(f.run(c.arguments), c.status);
        EXPECT_TRUE(f.err.str().starts_with(c.err)) << f.err.str();
        EXPECT_EQ(f.data.bytes.empty(), c.status != kAllConverted);
    }
}

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

// `-` reads standard input whole, a Map or a PDB told apart by its content; a
// conversion takes the names inside the new file from -o's.
TEST(CommandLine, DashReadsStandardInput) {
    const auto pdb = readBytes(sampleFile("zones.pdb"));
    const auto map = readBytes(sampleFile("zones.map"));
    auto lines = sampleMapLines();
    const auto headless = bytesOf(mapText({lines.begin() + 1, lines.end()}));
    lines[3].replace(0, 4, "  -3");
    const auto overflow = bytesOf(mapText(lines));
    struct Case {
        std::vector<std::uint8_t> input;
        std::vector<std::string> arguments;
        int status;
        std::string out;
        std::string err;                      // its start
        std::vector<std::uint8_t> made = {};  // made/zones.out afterwards; empty for none
    };
    const Case cases[] = {
        {map,
         {"to-pdb", "-", "-o", "made/zones.out"},
         kAllConverted,
         kPdbCreated + kUseInstallTool,
         "",
         sampleMapAsPdb()},
        {pdb, {"to-map", "-", "-o", "made/zones.out"}, kAllConverted, kMapCreated, "", map},
        {overflow,
         {"to-pdb", "-", "-o", "made/zones.out"},
         kSomeNotConverted,
         "",
         "Error #  6 was generated by Velbar: Overflow: \"-3\" on line 4 of standard input is "
         "outside 0 to 255\n"},
        {pdb,
         {"to-map", "-", "-o", "ab"},
         kSomeNotConverted,
         "",
         "Error #  5 was generated by Velbar: Invalid procedure call or argument\n"},
        {map, {"to-pdb", "-", "-o", "made"}, kUsageError, "", "zonora: - needs -o naming a file\n"},
        {map,
         {"check", "-"},
         kConvertsUnasked,
         "standard input: 256 values: converts unasked\n",
         ""},
        {headless, {"diff", "-", "zones.pdb"}, kTablesEqual, "0 zones differ\n", ""},
        {pdb, {"diff", "zones.map", "-"}, kTablesEqual, "0 zones differ\n", ""},
        {overflow, {"diff", "zones.pdb", "-"}, kDiffTrouble, "", "Error #  6"},
    };
    for (const Case& c : cases) {
        CommandLineFixture f;
        const InFolder here(f.folder.path());
        std::filesystem::create_directory("made");
        f.writePdb("zones.pdb");
        writeBytes("zones.map", map);
        f.input.bytes = c.input;
        EXPECT_EQ(f.run(c.arguments), c.status) << c.arguments[0] << " " << c.arguments.back();
        EXPECT_EQ(f.out.str(), c.out);
        EXPECT_TRUE(f.err.str().starts_with(c.err)) << f.err.str();
        EXPECT_EQ(std::filesystem::exists("made/zones.out"), !c.made.empty());
        if (!c.made.empty()) {
            EXPECT_EQ(readBytes("made/zones.out"), c.made);
        }
    }
    CommandLineFixture f;
    f.input.broken = true;
    EXPECT_EQ(f.run({"to-map", "-", "-o", f.file("z.map")}), kSomeNotConverted);
    EXPECT_EQ(f.err.str(),
              "Error #  57 was generated by Velbar: Device I/O error: standard input\n");
    EXPECT_EQ(f.out.str(), "");  // nothing converted from what did not come
    EXPECT_FALSE(std::filesystem::exists(f.file("z.map")));
    f.err.str("");
    Console noInput{f.out, f.err};
    EXPECT_EQ(runCommandLine({"check", "-"}, f.services, noInput), kUsageError);
    EXPECT_TRUE(f.err.str().starts_with("zonora: -: no standard input to read from\n"));
}

}  // namespace
}  // namespace zonora::test
