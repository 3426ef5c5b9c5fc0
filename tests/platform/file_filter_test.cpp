#include "platform/file_filter.h"

#include <gtest/gtest.h>

namespace zonora {
namespace {

TEST(FileFilter, SplitsDescriptionsAndPatterns) {
    const auto filters = parseFileFilter("All files (*.*)|*.*|Map Files|*.map");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].description, "All files (*.*)");
    EXPECT_EQ(filters[0].patterns, std::vector<std::string>{"*.*"});
    EXPECT_EQ(filters[1].description, "Map Files");
    EXPECT_EQ(filters[1].patterns, std::vector<std::string>{"*.map"});

    const auto several = parseFileFilter("Zone files|*.pdb; *.map ;;|Lonely");
    ASSERT_EQ(several.size(), 1u);
    EXPECT_EQ(several[0].patterns, (std::vector<std::string>{"*.pdb", "*.map"}));

    EXPECT_TRUE(parseFileFilter("").empty());
    EXPECT_TRUE(parseFileFilter("|").empty());
    EXPECT_TRUE(parseFileFilter("No pattern|").empty());
}

}  // namespace
}  // namespace zonora
