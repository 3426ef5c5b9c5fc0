// The dialog's filter text on arbitrary input. Every entry has a description
// and at least one pattern; no piece holds a separator, and no pattern is
// empty or has blanks at its ends; there are no more entries than pairs in
// the text; and writing the entries back as a filter text gives them again.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "platform/file_filter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto filters = zonora::parseFileFilter(text);

    const auto bars = static_cast<std::size_t>(std::count(text.begin(), text.end(), '|'));
    FUZZ_CHECK(filters.size() <= (bars + 1) / 2);
    std::string written;
    for (const auto& filter : filters) {
        FUZZ_CHECK(filter.description.find('|') == std::string::npos);
        FUZZ_CHECK(!filter.patterns.empty());
        if (!written.empty()) written += '|';
        written += filter.description + '|';
        for (std::size_t i = 0; i < filter.patterns.size(); ++i) {
            const std::string& pattern = filter.patterns[i];
            FUZZ_CHECK(!pattern.empty());
            FUZZ_CHECK(pattern.find_first_of("|;") == std::string::npos);
            FUZZ_CHECK(pattern.front() != ' ' && pattern.back() != ' ');
            written += (i == 0 ? "" : ";") + pattern;
        }
    }

    const auto again = zonora::parseFileFilter(written);
    FUZZ_CHECK(again.size() == filters.size());
    for (std::size_t i = 0; i < again.size(); ++i) {
        FUZZ_CHECK(again[i].description == filters[i].description);
        FUZZ_CHECK(again[i].patterns == filters[i].patterns);
    }
    return 0;
}
