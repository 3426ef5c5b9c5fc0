#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/posix/posix_file_system.h"
#include "tests/reliability/reliability_fixture.h"
#include "tests/support/child_process.h"

// The calls the file layer makes to the system, seen through the linker's
// --wrap (tests/reliability/CMakeLists.txt) so that their order can be
// checked and a close made to fail.
extern "C" {
int __real_fsync(int fd);
int __real_close(int fd);
int __real_rename(const char* from, const char* to);
int __wrap_fsync(int fd);
int __wrap_close(int fd);
int __wrap_rename(const char* from, const char* to);
}

namespace zonora::test {
namespace {
namespace fs = std::filesystem;

// No descriptor left to open a file with: the limit is lowered in a child so
// the test process keeps its own.
TEST(OutsideFailure, TooManyOpenFilesIsReportedAndLosesNothing) {
    for (const ConversionDirection direction :
         {ConversionDirection::PdbToMap, ConversionDirection::MapToPdb}) {
        // A sanitizer build checks the dynamic type of each virtual call, and
        // its first check of a type needs a descriptor of its own: so the same
        // calls are made once here, a success and a failure, before the limit.
        for (const bool sourceThere : {true, false}) {
            ConversionSetup warmUp(direction, true);
            if (!sourceThere) std::filesystem::remove(warmUp.source);
            PosixFileSystem files;
            RecordingMessageBox box;
            TextPathFields fields = warmUp.fields();
            warmUp.run(files, box, fields);
            ASSERT_EQ(box.shown.size(), sourceThere ? warmUp.successPrompts().size() : 1u);
        }
        ConversionSetup setup(direction, true);
        const FolderImage before = imageOf(setup.folder.path());
        const ChildEnd end = runInChild([&] {
            const rlimit limit{64, 64};
            if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) return 2;
            while (::open("/dev/null", O_RDONLY) >= 0) {
            }
            PosixFileSystem files;
            RecordingMessageBox box;
            TextPathFields fields = setup.fields();
            setup.run(files, box, fields);
            const bool reported = box.prompts() == std::vector<std::string>{errorReport(
                                                       67, "Too many files: " + setup.source)};
            return reported && fields.map == setup.fields().map ? 0 : 1;
        });
        EXPECT_TRUE(end.exited && end.exitCode == 0)
            << directionName(direction) << ": " << describe(end);
        EXPECT_EQ(imageOf(setup.folder.path()), before);
    }
}

// A source that is not a plain file must be refused, not read: opening a
// named pipe waits for a writer forever, and a device such as /dev/zero never
// ends. The conversion runs in a child under an alarm so a hang fails the test
// rather than the whole run.
TEST(OutsideFailure, SourceThatIsNotAPlainFileIsRefusedWithoutHanging) {
    struct Source {
        const char* name;
        ConversionDirection direction;
        std::string (*make)(ConversionSetup&);
    };
    const Source sources[] = {
        {"named pipe", ConversionDirection::PdbToMap,
         [](ConversionSetup& s) {
             fs::remove(s.source);
             ::mkfifo(s.source.c_str(), 0600);
             return s.source;
         }},
        {"named pipe", ConversionDirection::MapToPdb,
         [](ConversionSetup& s) {
             fs::remove(s.source);
             ::mkfifo(s.source.c_str(), 0600);
             return s.source;
         }},
        {"endless device", ConversionDirection::MapToPdb,
         [](ConversionSetup&) { return std::string("/dev/zero"); }},
    };
    for (const Source& source : sources) {
        ConversionSetup setup(source.direction, true);
        const std::string path = source.make(setup);
        const FolderImage before = imageOf(setup.folder.path());
        const ChildEnd end = runInChild([&] {
            ::alarm(5);
            TextPathFields fields = setup.fields();
            (source.direction == ConversionDirection::PdbToMap ? fields.pdb : fields.map) = path;
            const TextPathFields chosen = fields;
            PosixFileSystem files;
            RecordingMessageBox box;
            setup.run(files, box, fields);
            const bool reported = box.shown.size() == 1 && box.shown[0].title == "Error" &&
                                  box.shown[0].prompt.find(path) != std::string::npos;
            return reported && fields.map == chosen.map && fields.pdb == chosen.pdb ? 0 : 1;
        });
        EXPECT_TRUE(end.exited && end.exitCode == 0)
            << source.name << ", " << directionName(source.direction) << ": " << describe(end)
            << (end.signal == SIGALRM ? " (hung)" : "");
        EXPECT_EQ(imageOf(setup.folder.path()), before) << source.name;
    }
}

std::string nameOfLength(std::size_t length, const std::string& filler, const char* extension) {
    std::string name;
    while (name.size() + filler.size() + 4 <= length) name += filler;
    while (name.size() + 4 < length) name += "n";
    return name + extension;
}

// Every name the folder takes can be a destination, also those too long to
// carry the temporary file's prefix and tail whole; one byte more is a bad
// file name, and nothing is written.
TEST(DestinationName, EveryLengthTheFolderTakesIsWrittenWithNothingLeftBeside) {
    for (const ConversionDirection direction :
         {ConversionDirection::PdbToMap, ConversionDirection::MapToPdb}) {
        for (const bool exists : {true, false}) {
            for (const std::string& filler : {std::string("n"), std::string("\xC3\xA9")}) {
                const TempFolder probe;
                const auto limit =
                    static_cast<std::size_t>(::pathconf(probe.path().c_str(), _PC_NAME_MAX));
                ASSERT_GE(limit, 40u);
                for (std::size_t length = limit - 16; length <= limit + 1; ++length) {
                    ConversionSetup setup(direction, false);
                    const std::string name =
                        nameOfLength(length, filler,
                                     direction == ConversionDirection::PdbToMap ? ".map" : ".pdb");
                    SCOPED_TRACE(std::string(directionName(direction)) + ", " +
                                 std::to_string(name.size()) + " bytes" +
                                 (exists ? " over a file" : "") + (filler == "n" ? "" : ", wide"));
                    setup.destination = setup.folder.file(name);
                    if (exists && length <= limit) writeBytes(setup.destination, kOldDestination);
                    const FolderImage before = imageOf(setup.folder.path());

                    PosixFileSystem files;
                    RecordingMessageBox box;
                    TextPathFields fields = setup.fields();
                    setup.run(files, box, fields);

                    if (length > limit) {
                        EXPECT_EQ(box.prompts(),
                                  std::vector<std::string>{errorReport(
                                      52, "Bad file name or number: " + setup.destination)});
                        EXPECT_EQ(imageOf(setup.folder.path()), before);
                        continue;
                    }
                    EXPECT_EQ(box.prompts(), setup.successPrompts());
                    FolderImage expected = before;
                    expected[name] = setup.expectedDestination();
                    EXPECT_EQ(imageOf(setup.folder.path()), expected);
                }
            }
        }
    }
}

struct SystemCalls {
    std::optional<fs::path> watched;  // the folder whose calls are logged
    std::vector<std::string> log;
    // A close of a temporary file that closes it but reports a write error, as
    // a network file system does for data it could not store after all.
    bool failTemporaryClose = false;
};

SystemCalls& systemCalls() {
    static SystemCalls calls;
    return calls;
}

// A path named as in the watched folder: "folder", "temporary", the file's
// name, or nothing for a path elsewhere.
std::string shortName(const fs::path& path) {
    const SystemCalls& calls = systemCalls();
    std::error_code ignored;
    const fs::path full = fs::weakly_canonical(path, ignored);
    if (full == *calls.watched) return "folder";
    if (full.parent_path() != *calls.watched) return {};
    const std::string name = full.filename().string();
    return name.starts_with(kTemporaryPrefix) ? "temporary" : name;
}

std::string pathOf(int fd) {
    std::array<char, 4096> buffer{};
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(link.c_str(), buffer.data(), buffer.size() - 1);
    return n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string();
}

void logCall(const std::string& call, int fd) {
    if (!systemCalls().watched) return;
    const std::string name = shortName(pathOf(fd));
    if (!name.empty()) systemCalls().log.push_back(call + " " + name);
}

class ReplacementOnDisk : public testing::TestWithParam<Case> {
  protected:
    void TearDown() override { systemCalls() = {}; }

    // Runs the conversion over the real file layer, logging its calls.
    void run(ConversionSetup& setup, RecordingMessageBox& box, TextPathFields& fields) {
        systemCalls().watched = fs::canonical(setup.folder.path());
        PosixFileSystem files;
        setup.run(files, box, fields);
        systemCalls().watched.reset();
    }
};

// The new content is on the disk before its name is, and the name change
// itself is made durable: a crash at any point leaves one whole file.
TEST_P(ReplacementOnDisk, IsFlushedClosedRenamedAndThenTheFolderFlushed) {
    ConversionSetup setup(GetParam().direction, GetParam().destinationExists);
    RecordingMessageBox box;
    TextPathFields fields = setup.fields();
    run(setup, box, fields);
    EXPECT_EQ(box.prompts(), setup.successPrompts());
    const std::string source = fs::path(setup.source).filename().string();
    const std::string destination = fs::path(setup.destination).filename().string();
    // The source was closed before (one file open at a time).
    EXPECT_EQ(systemCalls().log,
              (std::vector<std::string>{"close " + source, "fsync temporary", "close temporary",
                                        "rename temporary to " + destination, "fsync folder",
                                        "close folder"}));
}

TEST_P(ReplacementOnDisk, ACloseThatFailsAfterTheFlushKeepsTheOldFile) {
    ConversionSetup setup(GetParam().direction, GetParam().destinationExists);
    const FolderImage before = imageOf(setup.folder.path());
    const int descriptors = openDescriptors();
    systemCalls().failTemporaryClose = true;
    RecordingMessageBox box;
    TextPathFields fields = setup.fields();
    run(setup, box, fields);
    EXPECT_EQ(box.prompts(),
              std::vector<std::string>{errorReport(57, "Device I/O error: " + setup.destination)});
    EXPECT_EQ(systemCalls().log,
              (std::vector<std::string>{"close " + fs::path(setup.source).filename().string(),
                                        "fsync temporary", "close temporary"}));
    EXPECT_EQ(fields.map, setup.fields().map);
    EXPECT_EQ(fields.pdb, setup.fields().pdb);
    EXPECT_EQ(imageOf(setup.folder.path()), before);  // the old file or none, no temporary
    EXPECT_EQ(openDescriptors(), descriptors);
}

INSTANTIATE_TEST_SUITE_P(BothConversions, ReplacementOnDisk, kAllCases, caseName);

}  // namespace
}  // namespace zonora::test

extern "C" int __wrap_fsync(int fd) {
    zonora::test::logCall("fsync", fd);
    return __real_fsync(fd);
}

extern "C" int __wrap_close(int fd) {
    using namespace zonora::test;
    const bool temporary = systemCalls().watched && shortName(pathOf(fd)) == "temporary";
    logCall("close", fd);
    const int result = __real_close(fd);
    if (result == 0 && temporary && systemCalls().failTemporaryClose) {
        errno = EIO;
        return -1;
    }
    return result;
}

extern "C" int __wrap_rename(const char* from, const char* to) {
    using namespace zonora::test;
    if (systemCalls().watched) {
        systemCalls().log.push_back("rename " + shortName(from) + " to " + shortName(to));
    }
    return __real_rename(from, to);
}
