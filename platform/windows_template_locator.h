#pragma once

#include <functional>

#include "platform/file_attributes.h"
#include "platform/template_locator.h"
#include "platform/windows_paths.h"

namespace zonora {

// Windows: the fixed path, then the same folder under the 32-bit program
// folder, where a 32-bit installer puts it on 64-bit Windows. On 32-bit
// Windows that folder is the fixed path's own, so it is listed once.
class WindowsTemplateLocator : public TemplateLocator {
  public:
    // programFilesX86 tells the folder (C:\Program Files (x86), or C:\Program
    // Files on 32-bit Windows) when the template is first looked for.
    WindowsTemplateLocator(FileAttributeTest& files, std::function<std::string()> programFilesX86)
        : files_(files), programFilesX86_(std::move(programFilesX86)) {}
    WindowsTemplateLocator(FileAttributeTest& files, std::string programFilesX86)
        : WindowsTemplateLocator(files, [folder = std::move(programFilesX86)] { return folder; }) {}
    std::vector<std::string> places() override;
    std::optional<std::string> find() override;

  private:
    FileAttributeTest& files_;
    std::function<std::string()> programFilesX86_;
    std::optional<std::string> folder_;  // once asked
};

}  // namespace zonora
