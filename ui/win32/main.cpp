#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "convert/conversion.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_attributes.h"
#include "platform/win32/win32_file_dialog.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_known_folders.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_process_starter.h"
#include "platform/windows_install_tool.h"
#include "platform/windows_template_locator.h"
#include "ui/cli/console.h"
#include "ui/form_handlers.h"
#include "ui/win32/frmcnvt.h"

namespace {

// The arguments as the system splits them, the program name left out.
std::vector<std::wstring> programArguments() {
    int count = 0;
    LPWSTR* words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!words) return {};
    std::vector<std::wstring> arguments;
    for (int i = 1; i < count; ++i) arguments.emplace_back(words[i]);
    ::LocalFree(words);
    return arguments;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace zonora;
    if (const auto status = runConsoleCommand()) return *status;  // to-map, to-pdb, --help...
    try {
        frmcnvt window(instance);
        Win32MessageBox box(window.hwnd());
        Win32FileDialog cd(window.hwnd());
        Win32FileSystem files;
        Win32Clock clock;
        Win32FileAttributes attributes;
        WindowsTemplateLocator templates(attributes, programFilesX86Folder());
        Win32ProcessStarter starter;
        WindowsInstallTool installTool(attributes, starter);
        ConversionServices services{files, box, clock, templates, installTool};
        FormHandlers handlers(window, services, cd, [] { ::PostQuitMessage(0); });
        window.forwardTo(handlers);
        // A file named at start, by Explorer's Open with say.
        if (const auto file = fileNamedAtStart(programArguments())) window.openFile(*file);
        window.show(showCommand);
        return runMessageLoop(window);
    } catch (const std::exception&) {
        // No window to report in, or a failure no handler was meant to meet.
        return 1;
    }
}
