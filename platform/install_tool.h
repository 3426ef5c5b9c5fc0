#pragma once

#include <string>

namespace zonora {

// Hands a finished database to the handheld's desktop Install Tool.
class InstallTool {
  public:
    virtual ~InstallTool() = default;
    // False when the tool is not there; the user is then told to use it by hand.
    virtual bool handOff(const std::string& pdbPath) = 0;
};

// Platforms where the tool does not exist.
class AbsentInstallTool : public InstallTool {
  public:
    bool handOff(const std::string&) override { return false; }
};

}  // namespace zonora
