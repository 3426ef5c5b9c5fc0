#include "zone/zone_database.h"

#include <gtest/gtest.h>

#include "platform/runtime_error.h"
#include "tests/support/native_file_system.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"

namespace zonora {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

struct ReadOutcome {
    std::optional<ZoneTable> zones;
    int error = 0;
};

ReadOutcome readFrom(const std::vector<std::uint8_t>& bytes) {
    TempFolder folder;
    writeBytes(folder.file("z.pdb"), bytes);
    NativeFileSystem files;
    auto pdb = files.openRead(folder.file("z.pdb"));
    try {
        return {readZoneTable(*pdb), 0};
    } catch (const RuntimeError& error) {
        return {std::nullopt, error.number};
    }
}

std::vector<std::uint8_t> withHeader(std::uint8_t b80, std::uint8_t b81, std::size_t size = 3000) {
    std::vector<std::uint8_t> bytes(size, 0);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i % 251);
    bytes[80] = b80;
    bytes[81] = b81;
    return bytes;
}

struct WindowCase {
    std::uint8_t b80, b81;
    bool valid;
    int error;
};

class HeaderWindow : public testing::TestWithParam<WindowCase> {};

TEST_P(HeaderWindow, AcceptsOnlyRecordOffsetsFrom2458To2478) {
    const WindowCase c = GetParam();
    const auto bytes = withHeader(c.b80, c.b81);
    const ReadOutcome outcome = readFrom(bytes);
    EXPECT_EQ(outcome.error, c.error);
    ASSERT_EQ(outcome.zones.has_value(), c.valid);
    if (c.valid) {
        const std::size_t recordOffset = c.b80 * 256u + c.b81;
        for (std::size_t k = 0; k < kZoneCount; ++k) {
            ASSERT_EQ((*outcome.zones)[k], bytes[recordOffset + 1 + 2 * k]) << "zone " << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Offsets, HeaderWindow,
                         testing::Values(WindowCase{0x09, 0xA2, true, 0},   // 2466
                                         WindowCase{0x09, 0x9A, true, 0},   // 2458, lowest
                                         WindowCase{0x09, 0xAE, true, 0},   // 2478, highest
                                         WindowCase{0x09, 0x99, false, 0},  // one below
                                         WindowCase{0x09, 0xAF, false, 0},  // one above
                                         WindowCase{0x00, 0x00, false, 0},
                                         WindowCase{0x7F, 0xFD, false, 0},  // 32765 still fits
                                         WindowCase{0x7F, 0xFE, false, 6},  // 32766 + 2 overflows
                                         WindowCase{0x7F, 0xFF, false, 6},
                                         WindowCase{0x80, 0x00, false, 6},  // high byte 128
                                         WindowCase{0xFF, 0xA2, false, 6}));

TEST(ZoneDatabaseReader, ShortFilesReadMissingBytesAsZero) {
    // Shorter than the header bytes: offset 0, rejected as invalid.
    EXPECT_FALSE(readFrom(std::vector<std::uint8_t>(80, 0x09)).zones.has_value());
    EXPECT_FALSE(readFrom({}).zones.has_value());

    // Ends inside the zone block: the zones past the end are 0.
    const ZoneTable zones = test::sampleZones();
    auto bytes = test::makeZoneDatabase(zones);
    bytes.resize(test::kRecordOffset + 100);
    const ReadOutcome outcome = readFrom(bytes);
    ASSERT_TRUE(outcome.zones.has_value());
    for (std::size_t k = 0; k < kZoneCount; ++k) {
        const std::uint8_t expected = test::kRecordOffset + 1 + 2 * k < bytes.size() ? zones[k] : 0;
        ASSERT_EQ((*outcome.zones)[k], expected) << "zone " << k;
    }
}

std::vector<std::uint8_t> written(const std::vector<std::uint8_t>& templateBytes,
                                  const ZoneTable& zones, const std::string& name) {
    TempFolder folder;
    writeBytes(folder.file("template.org"), templateBytes);
    NativeFileSystem files;
    auto source = files.openRead(folder.file("template.org"));
    auto out = files.replace(folder.file("out.pdb"));
    writeZoneDatabase(*source, *out, zones, name);
    out->commit();
    return readBytes(folder.file("out.pdb"));
}

TEST(ZoneDatabaseWriter, PatchesOnlyZonesAndNameOfTheTemplate) {
    const auto templateBytes = test::makeZoneDatabase(ZoneTable{});
    const ZoneTable zones = test::sampleZones();
    for (const std::string name :
         {"", "a", "abc", "zones", "sevench", "abcdefghijklmnopqrstuvwxyz01234"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(written(templateBytes, zones, name),
                  test::patchedZoneDatabase(templateBytes, zones, name));
    }
}

TEST(ZoneDatabaseWriter, CutsLongNamesTo31BytesAndKeepsTheFieldsAfterIt) {
    const auto templateBytes = test::makeZoneDatabase(ZoneTable{});
    const std::string name(40, 'n');
    const auto image = written(templateBytes, ZoneTable{}, name);
    EXPECT_EQ(image, test::patchedZoneDatabase(templateBytes, ZoneTable{}, name.substr(0, 31)));
    EXPECT_EQ(image[31], 0);
}

TEST(ZoneDatabaseWriter, CopiesLargeTemplatesWhole) {
    auto templateBytes = test::makeZoneDatabase(ZoneTable{});
    templateBytes.resize(200'000);
    for (std::size_t i = 2978; i < templateBytes.size(); ++i)
        templateBytes[i] = static_cast<std::uint8_t>(i);
    const ZoneTable zones = test::sampleZones();
    EXPECT_EQ(written(templateBytes, zones, "big"),
              test::patchedZoneDatabase(templateBytes, zones, "big"));
}

TEST(ZoneDatabaseWriter, WrittenDatabaseReadsBackToTheSameTable) {
    const ZoneTable zones = test::sampleZones();
    EXPECT_EQ(readFrom(written(test::makeZoneDatabase(ZoneTable{}), zones, "zones")).zones, zones);
}

TEST(TemplateCheck, RejectsShortOrOtherLayouts) {
    const auto good = test::makeZoneDatabase(ZoneTable{});
    auto shortened = good;
    shortened.resize(2977);
    const auto otherOffset = test::makeZoneDatabase(ZoneTable{}, 2468);
    auto highWord = good;
    highWord[79] = 1;  // 0x000109A2: the low half alone would look right

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        bool accepted;
    };
    const std::vector<Case> cases = {{"good", good, true},
                                     {"one byte short", shortened, false},
                                     {"record at 2468", otherOffset, false},
                                     {"offset above 16 bits", highWord, false},
                                     {"empty", {}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        writeBytes(folder.file("t.org"), c.bytes);
        NativeFileSystem files;
        auto file = files.openRead(folder.file("t.org"));
        if (c.accepted) {
            EXPECT_NO_THROW(checkTemplate(*file, "t.org"));
        } else {
            try {
                checkTemplate(*file, folder.file("t.org"));
                ADD_FAILURE() << "accepted";
            } catch (const RuntimeError& error) {
                EXPECT_EQ(error.number, 321);
                EXPECT_NE(error.description.find(folder.file("t.org")), std::string::npos);
            }
        }
    }
}

}  // namespace
}  // namespace zonora
