#include <windows.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "convert/conversion.h"
#include "platform/win32/win32_file_dialog.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_services.h"
#include "ui/cli/console.h"
#include "ui/form_handlers.h"
#include "ui/win32/frmcnvt.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace zonora;
    if (const auto status = runConsoleCommand()) return *status;  // to-map, to-pdb, --help...
    try {
        frmcnvt window(instance);
        Win32MessageBox box(window.hwnd());
        Win32FileDialog cd(window.hwnd());
        Win32SystemServices system;
        ConversionServices services{system.files, box, system.clock, system.templates,
                                    system.installTool};
        FormHandlers handlers(window, services, cd, [] { ::PostQuitMessage(0); });
        window.forwardTo(handlers);
        // A file named at start, by Explorer's Open with say.
        // The arguments as the runtime split them, the program name left out.
        const std::vector<std::wstring> arguments(__wargv + 1, __wargv + __argc);
        if (const auto file = fileNamedAtStart(arguments)) window.openFile(*file);
        window.show(showCommand);
        return runMessageLoop(window);
    } catch (const std::exception&) {
        // No window to report in, or a failure no handler was meant to meet.
        return 1;
    }
}
