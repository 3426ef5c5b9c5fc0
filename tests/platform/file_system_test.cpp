#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/file_error.h"
#include "platform/posix/posix_file_system.h"
#include "tests/support/temp_folder.h"

namespace zonora {
namespace {

namespace fs = std::filesystem;
using test::readText;
using test::writeText;

class FileSystemTest : public testing::Test {
  protected:
    std::string path(const std::string& name) const { return folder.file(name); }
    void replaceWith(const std::string& target, const std::string& text) {
        auto out = files.replace(target);
        out->write(asBytes(text));
        out->flush();
        out->commit();
    }
    test::TempFolder folder;
    PosixFileSystem files;
};

TEST_F(FileSystemTest, AnUncommittedReplacementLeavesNoTrace) {
    writeText(path("a.txt"), "old");
    {
        auto out = files.replace(path("a.txt"));
        out->write(asBytes("new content"));
        EXPECT_EQ(folder.entries().size(), 2u);  // the temporary file beside it
    }
    EXPECT_EQ(readText(path("a.txt")), "old");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"a.txt"});
}

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
}

TEST_F(FileSystemTest, ReadsAtPositionsAndInOrder) {
    writeText(path("r.bin"), "0123456789");
    auto in = files.openRead(path("r.bin"));
    std::array<std::uint8_t, 4> buffer{};
    EXPECT_EQ(in->readAt(8, buffer), 2u);
    EXPECT_EQ(buffer[0], '8');
    EXPECT_EQ(in->readAt(100, buffer), 0u);
    EXPECT_EQ(in->size(), 10u);
    std::array<char, 6> chunk{};
    EXPECT_EQ(in->read(chunk), 6u);
    EXPECT_EQ(in->read(chunk), 4u);
    EXPECT_EQ(in->read(chunk), 0u);
    in->close();
    in->close();
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
