#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/pdb_image.h"
#include "zone/map_file.h"
#include "zone/map_header.h"

namespace zonora {
namespace {

std::string row(const ZoneTable& zones, std::size_t r) {
    std::string line;
    for (std::size_t c = 0; c < 16; ++c) {
        char field[8];
        std::snprintf(field, sizeof field, "%4d", zones[16 * r + c]);
        line += field;
    }
    return line;
}

TEST(MapWriter, WritesTheTwentyThreeLinesExactly) {
    ZoneTable zones = test::sampleZones();
    zones[0] = 0;
    zones[1] = 45;
    zones[2] = 255;
    const std::string header = "Druma zones.PDB convert on 4/12/2002 2:00:33 PM";

    std::string expected = header + "\r\n\r\n\r\n";
    for (std::size_t r = 0; r < 16; ++r) {
        expected += row(zones, r) + "\r\n";
        if (r == 0 || r == 1 || r == 7 || r == 13) expected += "\r\n";
    }
    const std::string text = formatMapFile(zones, header);
    EXPECT_EQ(text, expected);
    EXPECT_TRUE(text.starts_with(header + "\r\n\r\n\r\n   0  45 255"));

    std::size_t lines = 0;
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
    EXPECT_EQ(lines, 23u);
}

TEST(MapWriter, HeaderJoinsNameDateAndTime) {
    EXPECT_EQ(mapFileHeader("zones", "4/12/2002", "2:00:33 PM"),
              "Druma zones.PDB convert on 4/12/2002 2:00:33 PM");
    EXPECT_EQ(mapFileHeader("", "d", "t"), "Druma .PDB convert on d t");
    // Linux file names may hold line breaks; the header stays one line.
    EXPECT_EQ(mapFileHeader("a\nb\rc", "d", "t"), "Druma a?b?c.PDB convert on d t");
}

}  // namespace
}  // namespace zonora
