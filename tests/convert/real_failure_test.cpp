#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>

#include "convert/conversion.h"
#include "tests/convert/conversion_fixture.h"
#include "tests/support/child_process.h"

namespace zonora {
namespace {

using test::readText;
using test::writeBytes;
using test::writeText;
namespace fs = std::filesystem;

// Failures the operating system really produces, run in a child process so
// that limits and lost privileges stay there. The child's exit status says
// whether the expected report was shown.
class RealFailureTest : public test::ConversionTest {
  protected:
    void SetUp() override {
        test::openToEveryone(folder.path().string());
        writeBytes(path("zones.pdb"), test::makeZoneDatabase(test::sampleZones()));
        writeBytes(path("Kolpa.org"), test::makeZoneDatabase(ZoneTable{}));
        fake.templates.path = path("Kolpa.org");
        std::string map;
        for (int r = 0; r < 16; ++r)
            map += std::string(60, ' ') + "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\r\n";
        writeText(path("zones.map"), map);
    }

    // Runs the conversion in a child; it succeeds when it reported `error`.
    test::ChildEnd convertInChild(bool toPdb, const std::string& map, const std::string& pdb,
                                  int error, bool dropRoot, rlim_t fileSizeLimit = RLIM_INFINITY) {
        return test::runInChild(
            [&] {
                const rlimit limit{fileSizeLimit, fileSizeLimit};
                ::setrlimit(RLIMIT_FSIZE, &limit);
                test::RecordingFields fields(map, pdb);
                toPdb ? MapToPdb(fields, fake.services) : PdbToMap(fields, fake.services);
                if (shownHead() != test::reportHead(error)) return 10;
                return fields.cleared.empty() ? 0 : 11;
            },
            dropRoot);
    }

    void expectNoTemporaryFiles(const std::string& where) {
        for (const auto& entry : fs::directory_iterator(where)) {
            EXPECT_FALSE(entry.path().filename().string().starts_with(".zonora")) << entry.path();
        }
    }
};

TEST_F(RealFailureTest, ReadOnlyFolderKeepsTheOldFiles) {
    fs::create_directory(path("locked"));
    writeText(path("locked/old.map"), "old map");
    writeText(path("locked/old.pdb"), "old pdb");
    ::chmod(path("locked").c_str(), 0555);

    EXPECT_TRUE(
        convertInChild(false, path("locked/old.map"), path("zones.pdb"), 70, true).succeeded());
    EXPECT_TRUE(
        convertInChild(true, path("zones.map"), path("locked/old.pdb"), 70, true).succeeded());
    EXPECT_EQ(readText(path("locked/old.map")), "old map");
    EXPECT_EQ(readText(path("locked/old.pdb")), "old pdb");
    expectNoTemporaryFiles(path("locked"));
}

TEST_F(RealFailureTest, ReadOnlyDestinationIsNotReplaced) {
    writeText(path("old.pdb"), "old pdb");
    ::chmod(path("old.pdb").c_str(), 0444);
    EXPECT_TRUE(convertInChild(true, path("zones.map"), path("old.pdb"), 70, true).succeeded());
    EXPECT_EQ(readText(path("old.pdb")), "old pdb");
    expectNoTemporaryFiles(folder.path().string());
}

TEST_F(RealFailureTest, UnreadableSourceIsPermissionDenied) {
    ::chmod(path("zones.pdb").c_str(), 0200);
    EXPECT_TRUE(convertInChild(false, path("new.map"), path("zones.pdb"), 70, true).succeeded());
    EXPECT_FALSE(fs::exists(path("new.map")));
}

TEST_F(RealFailureTest, AFullDiskLeavesThePreviousFileWhole) {
    writeText(path("old.map"), "old map");
    writeText(path("old.pdb"), "old pdb");
    // The Map file is about 1.5 KB and the database about 3 KB.
    EXPECT_TRUE(
        convertInChild(false, path("old.map"), path("zones.pdb"), 61, false, 1000).succeeded());
    EXPECT_TRUE(
        convertInChild(true, path("zones.map"), path("old.pdb"), 61, false, 2000).succeeded());
    EXPECT_EQ(readText(path("old.map")), "old map");
    EXPECT_EQ(readText(path("old.pdb")), "old pdb");
    expectNoTemporaryFiles(folder.path().string());
}

TEST_F(RealFailureTest, AVanishedFolderIsPathNotFound) {
    fs::create_directory(path("gone"));
    const std::string map = path("gone/new.map");
    fs::remove(path("gone"));
    EXPECT_TRUE(convertInChild(false, map, path("zones.pdb"), 76, false).succeeded());
    EXPECT_TRUE(
        convertInChild(true, path("zones.map"), path("gone/new.pdb"), 76, false).succeeded());
    // Reached through a link it is the same missing folder, source or destination.
    fs::create_symlink("gone/new.map", path("link.map"));
    fs::create_symlink("gone/new.pdb", path("link.pdb"));
    EXPECT_TRUE(convertInChild(false, path("link.map"), path("zones.pdb"), 76, false).succeeded());
    EXPECT_TRUE(convertInChild(true, path("zones.map"), path("link.pdb"), 76, false).succeeded());
    EXPECT_TRUE(convertInChild(false, path("new.map"), path("link.pdb"), 76, false).succeeded());
    EXPECT_TRUE(convertInChild(true, path("link.map"), path("new.pdb"), 76, false).succeeded());
    EXPECT_TRUE(fs::is_symlink(path("link.map")));
    EXPECT_TRUE(fs::is_symlink(path("link.pdb")));
    EXPECT_FALSE(fs::exists(path("new.map")));
    EXPECT_FALSE(fs::exists(path("new.pdb")));
    expectNoTemporaryFiles(folder.path().string());
}

}  // namespace
}  // namespace zonora
