#pragma once

#include "platform/system_services.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_attributes.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_known_folders.h"
#include "platform/win32/win32_process_starter.h"
#include "platform/windows_install_tool.h"
#include "platform/windows_template_locator.h"

namespace zonora {

// What the window and the command line reach Windows through alike: files,
// clock, the template's places and the Install Tool.
class Win32SystemServices {
  public:
    Win32SystemServices() = default;
    Win32SystemServices(const Win32SystemServices&) = delete;
    Win32SystemServices& operator=(const Win32SystemServices&) = delete;

    SystemServices services() { return {files_, clock_, templates_, installTool_}; }

  private:
    Win32FileSystem files_;
    Win32Clock clock_;
    Win32FileAttributes attributes_;
    WindowsTemplateLocator templates_{attributes_, &programFilesX86Folder};
    Win32ProcessStarter starter_;
    WindowsInstallTool installTool_{attributes_, starter_};
};

}  // namespace zonora
