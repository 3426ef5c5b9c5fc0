#include "platform/windows_install_tool.h"

namespace zonora {

bool WindowsInstallTool::handOff(const std::string& pdbPath) {
    const FileAttributes tool = attributes_.query(kInstallToolPath);
    if (!tool.exists || tool.hidden || tool.system) return false;
    starter_.start(kInstallCommand + pdbPath);
    return true;
}

}  // namespace zonora
