#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "convert/conversion.h"
#include "platform/win32/win32_file_dialog.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_text.h"
#include "ui/cli/program_start.h"
#include "ui/form_handlers.h"
#include "ui/win32/console.h"
#include "ui/win32/frmcnvt.h"
#include "ui/win32/message_loop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace zonora;
    // The command line as the runtime split it, the program's name first.
    std::vector<std::string> commandLine;
    for (int i = 0; i < __argc; ++i) commandLine.push_back(narrow(__wargv[i]));
    const ProgramStart start = programStart(commandLine);
    Win32SystemServices system;
    if (start.action != ProgramStart::Action::Window) return runOnConsole(start, system.services());
    try {
        frmcnvt window(instance);
        Win32MessageBox box(window.hwnd());
        Win32FileDialog cd(window.hwnd());
        ConversionServices services = withBox(system.services(), box);
        FormHandlers handlers(window, services, cd, [] { ::PostQuitMessage(0); });
        window.forwardTo(handlers);
        if (!start.file.empty()) handlers.openFile(start.file);  // by Explorer's Open with, say
        window.show(showCommand);
        return runMessageLoop(window);
    } catch (const std::exception&) {
        // No window to report in, or a failure no handler was meant to meet.
        return 1;
    }
}
