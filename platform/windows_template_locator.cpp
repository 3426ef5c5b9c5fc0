#include "platform/windows_template_locator.h"

namespace zonora {

std::vector<std::string> WindowsTemplateLocator::places() {
    std::vector<std::string> result = {kWindowsTemplatePath};
    if (!programFilesX86_.empty()) result.push_back(programFilesX86_ + "\\Druma\\Kolpa.org");
    return result;
}

std::optional<std::string> WindowsTemplateLocator::find() {
    for (const std::string& place : places()) {
        if (files_.query(place).exists) return place;
    }
    return std::nullopt;
}

}  // namespace zonora
