#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#endif

#include <filesystem>
#include <functional>

#include "tests/reliability/reliability_fixture.h"
#include "tests/support/native_file_system.h"

namespace zonora::test {
namespace {
namespace fs = std::filesystem;

// What happens to the files between choosing them and pressing Convert.
struct Change {
    std::string name;
    ConversionDirection direction;
    // False when the system does not let the test make the change.
    std::function<bool(ConversionSetup&)> change;
    int number;
    const char* description;
    bool namesSource;  // the report names the source, otherwise the destination
};

// Every kind of node that is not a plain file.
enum class Node { Folder, Pipe, Socket, CharacterDevice, BlockDevice };

// Only Unix puts pipes, sockets and devices in a folder, and only there may
// everyone make a symbolic link.
#ifdef _WIN32
constexpr Node kNodes[] = {Node::Folder};
constexpr bool kLinks = false;
#else
constexpr Node kNodes[] = {Node::Folder, Node::Pipe, Node::Socket, Node::CharacterDevice,
                           Node::BlockDevice};
constexpr bool kLinks = true;
#endif

const char* nodeName(Node node) {
    switch (node) {
        case Node::Folder:
            return "Folder";
        case Node::Pipe:
            return "Pipe";
        case Node::Socket:
            return "Socket";
        case Node::CharacterDevice:
            return "CharacterDevice";
        case Node::BlockDevice:
            return "BlockDevice";
    }
    return "?";
}

#ifndef _WIN32
// True when made; false only when the system does not permit it (devices
// need root), and any other failure fails the test.
bool made(int result, const std::string& path) {
    if (result == 0) return true;
    if (errno == EPERM) return false;
    throw std::system_error(errno, std::generic_category(), path);
}
#endif

bool makeNode(Node node, const std::string& path) {
    switch (node) {
        case Node::Folder:
            fs::create_directory(fromUtf8(path));
            writeText(path + "/inside.txt", "kept");
            return true;
#ifdef _WIN32
        default:
            return false;
#else
        case Node::Pipe:
            return made(::mkfifo(path.c_str(), 0600), path);
        case Node::Socket: {
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            if (path.size() >= sizeof address.sun_path) return false;  // a long TMPDIR
            path.copy(address.sun_path, path.size());
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            const int bound =
                ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
            const int error = errno;
            ::close(fd);  // the node stays
            errno = error;
            return made(bound, path);
        }
        case Node::CharacterDevice:  // a copy of /dev/null
            return made(::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)), path);
        case Node::BlockDevice:  // a copy of /dev/loop0
            return made(::mknod(path.c_str(), S_IFBLK | 0600, makedev(7, 0)), path);
#endif
    }
    return false;
}

bool replaceByFolder(const std::string& path) {
    fs::remove(fromUtf8(path));
    return makeNode(Node::Folder, path);
}

std::vector<Change> allChanges() {
    std::vector<Change> cases;
    for (const ConversionDirection direction :
         {ConversionDirection::PdbToMap, ConversionDirection::MapToPdb}) {
        // A destination that is not a plain file, or a link to one, is refused
        // before anything is written: a rename over it would destroy the node.
        for (const Node node : kNodes) {
            cases.push_back({std::string("DestinationReplacedBy") + nodeName(node), direction,
                             [node](ConversionSetup& s) {
                                 fs::remove(fromUtf8(s.destination));
                                 return makeNode(node, s.destination);
                             },
                             75, "Path/File access error", false});
            if (!kLinks) continue;
            cases.push_back({std::string("DestinationLinkedTo") + nodeName(node), direction,
                             [node](ConversionSetup& s) {
                                 fs::remove(s.destination);
                                 fs::create_symlink("node", s.destination);
                                 return makeNode(node, s.folder.file("node"));
                             },
                             75, "Path/File access error", false});
        }
        cases.push_back({"SourceRemoved", direction,
                         [](ConversionSetup& s) { return fs::remove(fromUtf8(s.source)); }, 53,
                         "File not found", true});
        cases.push_back({"SourceReplacedByFolder", direction,
                         [](ConversionSetup& s) { return replaceByFolder(s.source); }, 75,
                         "Path/File access error", true});
        // The same missing folder, named or reached through a link.
        cases.push_back({"DestinationInMissingFolder", direction,
                         [](ConversionSetup& s) {
                             s.destination = s.folder.file(
                                 "gone/" + toUtf8(fromUtf8(s.destination).filename()));
                             return true;
                         },
                         76, "Path not found", false});
        if (!kLinks) continue;
        cases.push_back({"DestinationLinkedIntoMissingFolder", direction,
                         [](ConversionSetup& s) {
                             const std::string name = fs::path(s.destination).filename().string();
                             fs::remove(s.destination);
                             fs::create_symlink("gone/" + name, s.destination);
                             return true;
                         },
                         76, "Path not found", false});
    }
    return cases;
}

void PrintTo(const Change& c, std::ostream* out) {
    *out << c.name << " " << directionName(c.direction);
}

class ChangedBeforeConvert : public testing::TestWithParam<Change> {};

TEST_P(ChangedBeforeConvert, IsReportedAndLosesNothing) {
    const Change& c = GetParam();
    ConversionSetup setup(c.direction, true);
    if (!c.change(setup)) GTEST_SKIP() << "the system does not let the test make this here";
    const FolderImage before = imageOf(setup.folder.path());
    const int descriptors = openDescriptors();

    NativeFileSystem files;
    RecordingMessageBox box;
    TextPathFields fields = setup.fields();
    setup.run(files, box, fields);

    const std::string named = c.namesSource ? setup.source : setup.destination;
    EXPECT_EQ(box.prompts(), std::vector<std::string>{
                                 errorReport(c.number, std::string(c.description) + ": " + named)});
    EXPECT_EQ(fields.map, setup.fields().map);
    EXPECT_EQ(fields.pdb, setup.fields().pdb);
    // The node and whatever a link leads to are as they were, and no
    // temporary file is left beside them.
    EXPECT_EQ(imageOf(setup.folder.path()), before);
    for (const std::string& folder : {setup.destination, setup.folder.file("node")}) {
        if (fs::is_directory(fromUtf8(folder))) {
            EXPECT_EQ(readText(folder + "/inside.txt"), "kept");
        }
    }
    EXPECT_EQ(openDescriptors(), descriptors);
}

INSTANTIATE_TEST_SUITE_P(BetweenChoosingAndConverting, ChangedBeforeConvert,
                         testing::ValuesIn(allChanges()),
                         [](const testing::TestParamInfo<Change>& info) {
                             return info.param.name + directionName(info.param.direction);
                         });

}  // namespace
}  // namespace zonora::test
