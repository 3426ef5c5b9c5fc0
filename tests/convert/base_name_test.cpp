#include "convert/base_name.h"

#include <gtest/gtest.h>

#include "platform/runtime_error.h"

namespace zonora {
namespace {

TEST(BaseName, DropsFolderAndLastFourCharacters) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\data\\zones.pdb", "zones"},
        {"zones.pdb", "zones"},
        {"/home/u/zones.PDB", "zones"},
        {"C:\\x/y\\z/name.abc", "name"},            // both separators count
        {"C:\\x\\.pdb", ""},                        // exactly four characters
        {"C:\\x\\zones", "z"},                      // no extension: still four characters go
        {"/tmp/z\xc3\xb6nes.pdb", "z\xc3\xb6nes"},  // characters, not bytes
        {"/tmp/\xc3\xb6\xc3\xb6\xc3\xb6\xc3\xb6", ""},
        {"a b c.pdb", "a b c"},
    };
    for (const auto& [path, base] : cases) EXPECT_EQ(BaseName(path), base) << path;
}

TEST(BaseName, NamesUnderFourCharactersAreError5) {
    for (const std::string path :
         {"C:\\x\\abc", "C:\\x\\", "/tmp/", "", "abc", "/t/\xc3\xb6\xc3\xb6\xc3\xb6"}) {
        try {
            BaseName(path);
            ADD_FAILURE() << "accepted " << path;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number, 5) << path;
        }
    }
}

}  // namespace
}  // namespace zonora
