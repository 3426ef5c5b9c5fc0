#include <gtest/gtest.h>

#include <filesystem>

#include "convert/conversion.h"
#include "platform/runtime_error.h"
#include "tests/ui/cli/cli_fixture.h"
#include "ui/cli/program_start.h"
#include "ui/cli/terminal_message_box.h"

namespace zonora::test {
namespace {

const std::string kMapCreated = "Conversion Complete.  New Tesk Map file created.\n";
const std::string kPdbCreated = "Conversion Complete.  New Druma PDB file created.\n";
const std::string kUseInstallTool =
    "Please use Palm's Install tool to load the converted PDB file on next Hotsync.\n";

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
        EXPECT_EQ(f.folder.entries(), (std::vector<std::string>{"Kolpa.org", "a.pdb"}));
    }
}

TEST(CommandLine, HelpAndVersion) {
    CommandLineFixture f;
    for (const auto& arguments : {std::vector<std::string>{"--help"},
                                  {"-h"},
                                  {"to-pdb", "--help"},
                                  {"to-map", "x.pdb", "--help"}}) {
        EXPECT_EQ(f.run(arguments), kAllConverted);
        EXPECT_EQ(f.out.str(), helpText());
        EXPECT_EQ(f.err.str(), "");
    }
    const std::string help = helpText();
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

// The bytes the window's Convert writes for the same two paths.
std::vector<std::uint8_t> writtenByTheWindow(CommandLineFixture& f, bool toPdb,
                                             const std::string& input, const std::string& output) {
    FakeServices window;
    window.templates.path = f.fakes.templates.path;
    window.box.answers = {Answer::Yes};
    TextPathFields fields = toPdb ? TextPathFields(input, output) : TextPathFields(output, input);
    if (toPdb) {
        MapToPdb(fields, window.services);
    } else {
        PdbToMap(fields, window.services);
    }
    EXPECT_TRUE(fields.map.empty() && fields.pdb.empty());
    std::vector<std::uint8_t> bytes = readBytes(output);
    std::filesystem::remove(fromUtf8(output));
    return bytes;
}

TEST(CommandLine, ConvertsBothWaysLikeTheWindow) {
    CommandLineFixture f;
    const std::string pdb = f.writePdb("zones.pdb");
    const auto mapBytes = writtenByTheWindow(f, false, pdb, f.file("zones.MAP"));
    EXPECT_EQ(f.run({"to-map", pdb}), kAllConverted);
    EXPECT_EQ(readBytes(f.file("zones.MAP")), mapBytes);
    EXPECT_EQ(f.out.str(), kMapCreated);
    EXPECT_EQ(f.err.str(), "");

    const std::string map = f.writeMap("zones.map", 256);
    std::filesystem::create_directory(f.folder.path() / "made");
    const std::string made = f.file("made/zones.pdb");
    const auto pdbBytes = writtenByTheWindow(f, true, map, made);
    EXPECT_EQ(f.run({"to-pdb", map, "-o", made}), kAllConverted);
    EXPECT_EQ(readBytes(made), pdbBytes);
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

}  // namespace
}  // namespace zonora::test
