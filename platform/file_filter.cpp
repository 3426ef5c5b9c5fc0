#include "platform/file_filter.h"

namespace zonora {
namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        pieces.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return pieces;
        start = end + 1;
    }
}

}  // namespace

std::vector<FileFilter> parseFileFilter(std::string_view filter) {
    std::vector<FileFilter> filters;
    if (filter.empty()) return filters;
    const auto pieces = split(filter, '|');
    for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) {
        FileFilter entry{std::string(pieces[i]), {}};
        for (std::string_view pattern : split(pieces[i + 1], ';')) {
            while (!pattern.empty() && pattern.front() == ' ') pattern.remove_prefix(1);
            while (!pattern.empty() && pattern.back() == ' ') pattern.remove_suffix(1);
            if (!pattern.empty()) entry.patterns.emplace_back(pattern);
        }
        if (!entry.patterns.empty()) filters.push_back(std::move(entry));
    }
    return filters;
}

}  // namespace zonora
