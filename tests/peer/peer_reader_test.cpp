// Reads databases with Perl's Palm::PDB, an independent reader: what it parses
// is what a handheld sync tool would see, whatever our own reader believes.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "convert/conversion.h"
#include "tests/support/fake_services.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"

namespace zonora::test {
namespace {

constexpr std::size_t kRecordOffset = 2466;
constexpr std::size_t kRecordSize = 512;

struct Output {
    int status = -1;
    std::string text;
};

// A word for the shell; the paths used here hold no single quote.
std::string quoted(const std::string& word) {
    std::string result(1, '\'');
    result += word;
    result += '\'';
    return result;
}

Output run(const std::string& command) {
    Output output;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return output;
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        output.text.append(buffer.data(), n);
    }
    output.status = ::pclose(pipe);
    return output;
}

// Why the peer cannot run here, or empty when it can.
std::string peerMissing() {
    const std::string perl = ZONORA_PERL;
    if (perl.empty()) return "perl was not found when the build was configured";
    if (run(quoted(perl) + " -e 1").status != 0) return "perl (" + perl + ") does not run";
    const Output probe = run(quoted(perl) + " -MPalm::PDB -MPalm::Raw -e 1");
    if (probe.status != 0) {
        std::string why = "Perl's Palm::PDB is not installed (Debian package libpalm-pdb-perl): ";
        why += probe.text;
        return why;
    }
    return {};
}

std::string hexOf(const std::vector<std::uint8_t>& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string hex;
    for (const std::uint8_t b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

std::string hexOf(const std::string& text) {
    return hexOf(std::vector<std::uint8_t>(text.begin(), text.end()));
}

// The peer's findings, key by key; a line of any other shape (a warning, a
// death) fails the test with the whole output.
std::map<std::string, std::string> readWithPeer(const std::string& pdbPath) {
    const Output output =
        run(quoted(ZONORA_PERL) + " " + quoted(ZONORA_PEER_SCRIPT) + " " + quoted(pdbPath));
    std::map<std::string, std::string> found;
    EXPECT_EQ(output.status, 0) << output.text;
    std::istringstream lines(output.text);
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            ADD_FAILURE() << "unexpected peer output: " << output.text;
            break;
        }
        found[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return found;
}

std::vector<std::uint8_t> recordOf(const std::vector<std::uint8_t>& image) {
    return {image.begin() + kRecordOffset, image.begin() + kRecordOffset + kRecordSize};
}

// Every second byte of the record's words: 0 for the high bytes, 1 for the
// low bytes that carry the zones.
std::string halfOf(const std::string& recordHex, std::size_t which) {
    std::string half;
    for (std::size_t i = 2 * which; i + 1 < recordHex.size(); i += 4)
        half += recordHex.substr(i, 2);
    return half;
}

class PeerReader : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string missing = peerMissing();
        if (!missing.empty()) GTEST_SKIP() << missing;
    }
    TempFolder folder;
};

// The test template alone: a failure here lies in the template, not the writer.
TEST_F(PeerReader, ParsesTheTestTemplate) {
    const std::string path = sampleFile("Kolpa.org");
    const auto image = readBytes(path);
    auto found = readWithPeer(path);
    EXPECT_EQ(found["name"], hexOf(std::string("ZoneTemplate")));
    EXPECT_EQ(found["type"], "ZonE");
    EXPECT_EQ(found["creator"], "DrmA");
    EXPECT_EQ(found["records"], "1");
    EXPECT_EQ(found["record0"], hexOf(recordOf(image)));
}

struct NameCase {
    const char* label;
    const char* pdbName;
    const char* expectedName;
};

void PrintTo(const NameCase& names, std::ostream* out) { *out << names.pdbName; }

class PeerReadsMapToPdb : public PeerReader, public ::testing::WithParamInterface<NameCase> {};

TEST_P(PeerReadsMapToPdb, FindsNameZonesAndTemplateHighBytes) {
    const auto image = readBytes(sampleFile("Kolpa.org"));
    FakeServices world;
    world.templates.path = sampleFile("Kolpa.org");
    const std::string pdb = folder.file(GetParam().pdbName);

    TextPathFields fields(sampleFile("zones.map"), pdb);
    MapToPdb(fields, world.services);
    ASSERT_TRUE(fields.map.empty() && fields.pdb.empty())
        << "MapToPdb did not succeed: "
        << (world.box.shown.empty() ? std::string("no message") : world.box.shown.back().prompt);

    auto found = readWithPeer(pdb);
    EXPECT_EQ(found["name"], hexOf(std::string(GetParam().expectedName)));
    EXPECT_EQ(found["type"], "ZonE");
    EXPECT_EQ(found["creator"], "DrmA");
    EXPECT_EQ(found["records"], "1");
    const std::string record = found["record0"];
    ASSERT_EQ(record.size(), 2 * kRecordSize);
    const ZoneTable zones = sampleZones();
    EXPECT_EQ(halfOf(record, 1), hexOf(std::vector<std::uint8_t>(zones.begin(), zones.end())))
        << "the zones";
    EXPECT_EQ(halfOf(record, 0), halfOf(hexOf(recordOf(image)), 0)) << "the template's high bytes";
}

INSTANTIATE_TEST_SUITE_P(
    Names, PeerReadsMapToPdb,
    ::testing::Values(NameCase{"Short", "zones.pdb", "zones"},
                      NameCase{"EighteenCharacters", "a_longer_zone_name.pdb",
                               "a_longer_zone_name"},
                      // Cut to 31 characters so that the NUL stays in the field.
                      NameCase{"CutTo31", "abcdefghijklmnopqrstuvwxyz0123456789.pdb",
                               "abcdefghijklmnopqrstuvwxyz01234"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace zonora::test
