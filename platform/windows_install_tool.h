#pragma once

#include "platform/file_attributes.h"
#include "platform/install_tool.h"
#include "platform/process_starter.h"
#include "platform/windows_paths.h"

namespace zonora {

// The Windows rule: a plain file at the fixed path is started with the
// database path appended, unquoted.
class WindowsInstallTool : public InstallTool {
  public:
    WindowsInstallTool(FileAttributeTest& attributes, ProcessStarter& starter)
        : attributes_(attributes), starter_(starter) {}
    bool handOff(const std::string& pdbPath) override;

  private:
    FileAttributeTest& attributes_;
    ProcessStarter& starter_;
};

}  // namespace zonora
