#pragma once

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
struct Win32SystemServices {
    Win32FileSystem files;
    Win32Clock clock;
    Win32FileAttributes attributes;
    WindowsTemplateLocator templates{attributes, programFilesX86Folder()};
    Win32ProcessStarter starter;
    WindowsInstallTool installTool{attributes, starter};
};

}  // namespace zonora
