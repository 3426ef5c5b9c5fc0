#pragma once

#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_process_starter.h"
#include "platform/posix/unix_template_locator.h"
#include "platform/posix/wine_install_tool.h"
#include "platform/system_services.h"

namespace zonora {

// What the window and the command line reach a Unix-like system through
// alike: files, the template's places, and the Install Tool in the user's
// Wine prefix. The clock is the desktop's, which knows the user's date and
// time formats; the program lends it.
class PosixSystemServices {
  public:
    explicit PosixSystemServices(Clock& clock) : clock_(clock) {}
    PosixSystemServices(const PosixSystemServices&) = delete;
    PosixSystemServices& operator=(const PosixSystemServices&) = delete;

    SystemServices services() { return {files_, clock_, templates_, installTool_}; }

  private:
    PosixFileSystem files_;
    Clock& clock_;
    UnixTemplateLocator templates_{unixDataFoldersFromEnvironment()};
    PosixProcessStarter starter_;
    WineInstallTool installTool_{starter_, winePrefixFromEnvironment()};
};

}  // namespace zonora
