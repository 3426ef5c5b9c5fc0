#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/file_error.h"
#include "platform/posix/posix_file_system.h"
#include "platform/temporary_name.h"
#include "tests/support/file_system_fixture.h"
#include "tests/support/temp_folder.h"

namespace zonora {
namespace {

namespace fs = std::filesystem;
using test::readText;
using test::writeText;

using FileSystemTest = test::NativeFilesTest;

TEST_F(FileSystemTest, CommitPutsTheNewFileInPlace) {
    replaceWith(path("new.txt"), "fresh");
    EXPECT_EQ(readText(path("new.txt")), "fresh");
    writeText(path("b.txt"), std::string(10000, 'x'));
    replaceWith(path("b.txt"), "short");
    EXPECT_EQ(readText(path("b.txt")), "short");
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"b.txt", "new.txt"}));
}

TEST_F(FileSystemTest, NewFilesFollowTheUmaskAndOldOnesKeepTheirMode) {
    const mode_t old = ::umask(022);
    replaceWith(path("new.txt"), "x");
    ::umask(old);
    writeText(path("kept.txt"), "x");
    ::chmod(path("kept.txt").c_str(), 0604);
    replaceWith(path("kept.txt"), "y");
    struct stat info {};
    ::stat(path("new.txt").c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
    ::stat(path("kept.txt").c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
}

TEST_F(FileSystemTest, OldFilesKeepTheirOwnerWhenWeMayKeepIt) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to someone else";
    writeText(path("theirs.txt"), "x");
    ASSERT_EQ(::chown(path("theirs.txt").c_str(), 65534, 65534), 0);
    replaceWith(path("theirs.txt"), "y");
    struct stat info {};
    ::stat(path("theirs.txt").c_str(), &info);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
}

TEST_F(FileSystemTest, LinksAreFollowedAndKept) {
    fs::create_directories(path("d/e"));
    writeText(path("d/e/target.txt"), "old");
    fs::create_symlink("e/target.txt", path("d/rel"));
    fs::create_symlink(path("d/rel"), path("chain"));
    replaceWith(path("chain"), "new");
    EXPECT_TRUE(fs::is_symlink(path("chain")));
    EXPECT_TRUE(fs::is_symlink(path("d/rel")));
    EXPECT_EQ(readText(path("d/e/target.txt")), "new");

    // A dangling link creates the file it points to.
    fs::create_symlink("made.txt", path("dangling"));
    replaceWith(path("dangling"), "made");
    EXPECT_TRUE(fs::is_symlink(path("dangling")));
    EXPECT_EQ(readText(path("made.txt")), "made");
}

TEST_F(FileSystemTest, FailuresNameTheFileAndTheirCause) {
    fs::create_directory(path("dir"));
    ::mkfifo(path("fifo").c_str(), 0600);
    fs::create_symlink("fifo", path("to-fifo"));
    fs::create_symlink("no/x", path("into-missing"));
    fs::create_symlink("dir/x", path("dangling"));
    struct Case {
        std::function<void()> run;
        std::errc code;
        bool folderMissing;
    };
    const std::vector<Case> cases = {
        {[&] { files.openRead(path("none")); }, std::errc::no_such_file_or_directory, false},
        {[&] { files.openRead(path("no/none")); }, std::errc::no_such_file_or_directory, true},
        {[&] { files.openRead(path("dir")); }, std::errc::is_a_directory, false},
        {[&] { files.replace(path("dir")); }, std::errc::is_a_directory, false},
        {[&] { files.replace(path("no/x")); }, std::errc::no_such_file_or_directory, true},
        {[&] { files.replace(""); }, std::errc::no_such_file_or_directory, false},
        {[&] { files.replace(path("fifo")); }, std::errc::invalid_argument, false},
        {[&] { files.replace(path("to-fifo")); }, std::errc::invalid_argument, false},
        // A missing folder is judged where the links lead.
        {[&] { files.replace(path("into-missing")); }, std::errc::no_such_file_or_directory, true},
        {[&] { files.openRead(path("into-missing")); }, std::errc::no_such_file_or_directory, true},
        {[&] { files.openRead(path("dangling")); }, std::errc::no_such_file_or_directory, false},
        {[&] { files.replace(path(std::string(256, 'n'))); }, std::errc::filename_too_long, false},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        try {
            cases[i].run();
            ADD_FAILURE() << "case " << i << " did not fail";
        } catch (const FileError& error) {
            EXPECT_EQ(error.code, cases[i].code) << i;
            EXPECT_EQ(error.folderMissing, cases[i].folderMissing) << i;
        }
    }
    EXPECT_TRUE(fs::is_fifo(path("fifo")));
    EXPECT_EQ(folder.entries(),
              (std::vector<std::string>{"dangling", "dir", "fifo", "into-missing", "to-fifo"}));
}

TEST_F(FileSystemTest, ATargetThatStopsBeingAPlainFileBeforeTheCommitIsKept) {
    writeText(path("t"), "old");
    auto out = files.replace(path("t"));
    out->write(asBytes("new"));
    out->flush();
    fs::remove(path("t"));
    ::mkfifo(path("t").c_str(), 0600);
    try {
        out->commit();
        ADD_FAILURE() << "the pipe was replaced";
    } catch (const FileError& error) {
        EXPECT_EQ(error.code, std::errc::invalid_argument);
    }
    out.reset();
    EXPECT_TRUE(fs::is_fifo(path("t")));
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"t"});
}

TEST(TemporaryFileName, KeepsThePrefixAndTheTailAndCutsWholeCharacters) {
    const std::string e = "\xC3\xA9";         // 2 bytes
    const std::string euro = "\xE2\x82\xAC";  // 3 bytes
    const std::string clef = "\xF0\x9D\x84\x9E";
    struct Row {
        std::string target;
        std::size_t limit;
        std::string expected;
    };
    const Row rows[] = {
        {"zones.map", 255, ".zonora-zones.map.XXXXXX"},
        {"zones.map", 24, ".zonora-zones.map.XXXXXX"},  // exactly fits
        {"zones.map", 23, ".zonora-zones.ma.XXXXXX"},
        {"zones.map", 15, ".zonora-.XXXXXX"},
        {"zones.map", 10, ".zonora-.XXXXXX"},  // cannot fit: the file system refuses it
        {"", 255, ".zonora-.XXXXXX"},
        {"a" + e + "b", 18, ".zonora-a" + e + ".XXXXXX"},
        {"a" + e + "b", 17, ".zonora-a.XXXXXX"},
        {"a" + euro, 19, ".zonora-a" + euro + ".XXXXXX"},
        {"a" + euro, 18, ".zonora-a.XXXXXX"},
        {"a" + euro, 17, ".zonora-a.XXXXXX"},
        {clef + "z", 19, ".zonora-" + clef + ".XXXXXX"},
        {clef + "z", 18, ".zonora-.XXXXXX"},
        // A byte that is no character's part is one of its own.
        {std::string("a\xA9\xA9") + "b", 18, ".zonora-a\xA9\xA9.XXXXXX"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(temporaryFileName(row.target, ".XXXXXX", row.limit), row.expected)
            << row.target << " within " << row.limit;
    }
    const std::string longest(255, 'x');
    EXPECT_EQ(temporaryFileName(longest, "~1", 255), ".zonora-" + std::string(245, 'x') + "~1");
}

TEST_F(FileSystemTest, EveryNameTheFolderTakesCanBeReplaced) {
    const auto limit = static_cast<std::size_t>(::pathconf(folder.path().c_str(), _PC_NAME_MAX));
    ASSERT_GE(limit, 40u);
    const std::string e = "\xC3\xA9";
    for (std::size_t length = limit - 20; length <= limit; ++length) {
        for (const bool wide : {false, true}) {
            // Two-byte characters put the temporary name's cut inside one half the time.
            std::string name = length % 2 == 1 ? "n" : "";
            while (name.size() < length) name += wide ? e : "n";
            SCOPED_TRACE(std::to_string(length) + (wide ? " bytes, wide" : " bytes"));
            writeText(path(name), "old");
            replaceWith(path(name), "new " + name);
            EXPECT_EQ(readText(path(name)), "new " + name);
            EXPECT_EQ(folder.entries(), std::vector<std::string>{name});
            fs::remove(path(name));
            replaceWith(path(name), "made");
            EXPECT_EQ(folder.entries(), std::vector<std::string>{name});
            fs::remove(path(name));
        }
    }
}

TEST_F(FileSystemTest, TellsFilesAndLinksToThemApart) {
    writeText(path("a"), "a");
    writeText(path("b"), "a");
    fs::create_symlink(path("a"), path("link"));
    fs::create_directory(path("dir"));
    EXPECT_TRUE(files.exists(path("a")));
    EXPECT_TRUE(files.exists(path("link")));
    EXPECT_FALSE(files.exists(path("dir")));
    EXPECT_FALSE(files.exists(path("none")));
    EXPECT_TRUE(files.sameFile(path("a"), path("link")));
    EXPECT_TRUE(files.sameFile(path("a"), path("dir/../a")));
    EXPECT_FALSE(files.sameFile(path("a"), path("b")));
    EXPECT_FALSE(files.sameFile(path("none"), path("none")));
}

}  // namespace
}  // namespace zonora
