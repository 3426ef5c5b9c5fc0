// What the file layer promises on every system, run against the system's own.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "convert/error_table.h"
#include "platform/temporary_name.h"
#include "tests/support/file_system_fixture.h"

namespace zonora {
namespace {

using NativeFiles = test::NativeFilesTest;
using test::readText;
using test::writeText;

TEST_F(NativeFiles, AnUncommittedReplacementLeavesNoTrace) {
    writeText(path("a.pdb"), "old");
    {
        auto out = files.replace(path("a.pdb"));
        out->write(asBytes("head"));
        const auto during = folder.entries();
        ASSERT_EQ(during.size(), 2u);
        EXPECT_TRUE(during[0].starts_with(kTemporaryPrefix)) << during[0];
    }
    EXPECT_EQ(readText(path("a.pdb")), "old");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"a.pdb"});
}

// The runtime error an action ends in, as the conversion frame numbers it; 0
// when it succeeds.
int errorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (...) {
        return toRuntimeError(std::current_exception()).number;
    }
    return 0;
}

TEST_F(NativeFiles, MissingFoldersAndOverlongNamesAreNotMissingFiles) {
    const std::string overlong = path(std::string(252, 'n') + ".map");  // one past the usual limit
    const std::string inMissingFolder = path("none/zones.map");
    struct Row {
        std::string what;
        std::function<void()> action;
        int number;
    };
    const std::vector<Row> rows = {
        {"read a missing file", [&] { files.openRead(path("none.map")); }, 53},
        {"read in a missing folder", [&] { files.openRead(inMissingFolder); }, 76},
        {"read an overlong name", [&] { files.openRead(overlong); }, 52},
        {"replace in a missing folder", [&] { files.replace(inMissingFolder); }, 76},
        {"replace an overlong name", [&] { files.replace(overlong); }, 52},
    };
    for (const Row& row : rows) EXPECT_EQ(errorNumberOf(row.action), row.number) << row.what;
    EXPECT_TRUE(folder.entries().empty());  // no temporary left behind
}

TEST_F(NativeFiles, ReadsAtPositionsAndInOrder) {
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
    EXPECT_EQ(chunk[0], '6');
    EXPECT_EQ(in->read(chunk), 0u);
    in->close();
    in->close();  // a second close does nothing
}

}  // namespace
}  // namespace zonora
