#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zonora {

struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;  // such as "*.map"; ';' separates them in the text
};

// "description|pattern|description|pattern...": a description without a
// pattern after it is dropped, as are empty patterns.
std::vector<FileFilter> parseFileFilter(std::string_view filter);

}  // namespace zonora
