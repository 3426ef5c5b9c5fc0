#pragma once

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/install_tool.h"
#include "platform/template_locator.h"

namespace zonora {

// What a conversion reaches the system through, but the message box, which
// each front end brings: the window its own, the command line the terminal.
struct SystemServices {
    FileSystem& files;
    Clock& clock;
    TemplateLocator& templates;
    InstallTool& installTool;
};

}  // namespace zonora
