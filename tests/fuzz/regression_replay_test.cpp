#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace zonora::test {
namespace {

// Read when the tests are listed, so that a file added to the folder is a new
// row without a change here.
std::vector<std::string> regressionFiles() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(fromUtf8(ZONORA_REGRESSIONS))) {
        if (entry.is_regular_file()) names.push_back(toUtf8(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string rowName(const testing::TestParamInfo<std::string>& info) {
    std::string name = std::string(ZONORA_FUZZER_NAME) + "_" + info.param;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

class FuzzRegression : public testing::TestWithParam<std::string> {};

TEST_P(FuzzRegression, KeepsTheFuzzersInvariants) {
    const auto bytes = readBytes(std::string(ZONORA_REGRESSIONS) + "/" + GetParam());
    try {
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    } catch (const std::logic_error& broken) {
        FAIL() << broken.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Replay, FuzzRegression, testing::ValuesIn(regressionFiles()), rowName);

}  // namespace
}  // namespace zonora::test
