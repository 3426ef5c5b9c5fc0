#include "platform/windows_template_locator.h"

#include <algorithm>

namespace zonora {
namespace {

// Windows compares names without regard to case; the fixed path is written
// in lower case, the system reports its folders capitalised.
bool sameWindowsPath(const std::string& a, const std::string& b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::vector<std::string> WindowsTemplateLocator::places() {
    std::vector<std::string> result = {kWindowsTemplatePath};
    if (!folder_) folder_ = programFilesX86_();
    if (folder_->empty()) return result;
    std::string place = *folder_;
    for (const std::string& part : templateBelowProgramFolder()) place += "\\" + part;
    if (!sameWindowsPath(place, result.front())) result.push_back(std::move(place));
    return result;
}

std::optional<std::string> WindowsTemplateLocator::find() {
    for (const std::string& place : places()) {
        if (files_.query(place).exists) return place;
    }
    return std::nullopt;
}

}  // namespace zonora
