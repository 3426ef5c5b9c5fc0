#pragma once

#include <gtest/gtest.h>

#include "tests/support/expected_text.h"
#include "tests/support/fake_services.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"

namespace zonora::test {

// A second name for an existing file: a symbolic link where the system makes
// them for everyone, a hard link on Windows.
inline void makeLink(const std::string& target, const std::string& link) {
#ifdef _WIN32
    std::filesystem::create_hard_link(fromUtf8(target), fromUtf8(link));
#else
    std::filesystem::create_symlink(target, link);
#endif
}

// Path fields that also record the order in which they are cleared.
class RecordingFields : public TextPathFields {
  public:
    using TextPathFields::TextPathFields;
    void clearMap() override {
        TextPathFields::clearMap();
        cleared += "m";
    }
    void clearPdb() override {
        TextPathFields::clearPdb();
        cleared += "p";
    }
    std::string cleared;
};

class ConversionTest : public testing::Test {
  protected:
    std::string path(const std::string& name) const { return folder.file(name); }
    std::vector<std::string> prompts() const { return fake.box.prompts(); }
    // The last box's first line, to compare with reportHead(number).
    std::string shownHead() const {
        if (fake.box.shown.empty()) return "(nothing shown)";
        const std::string& prompt = fake.box.shown.back().prompt;
        return prompt.substr(0, prompt.find('\r'));
    }

    TempFolder folder;
    FakeServices fake;
};

}  // namespace zonora::test
