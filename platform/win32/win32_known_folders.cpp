#include "platform/win32/win32_known_folders.h"

#include <windows.h>
// After windows.h, which they build on.
#include <knownfolders.h>
#include <shlobj.h>

#include "platform/win32/system_library.h"
#include "platform/win32/win32_text.h"

namespace zonora {

std::string programFilesX86Folder() {
    // The shell and COM are loaded when the template is looked for, not at start.
    const auto knownFolder =
        systemFunction<decltype(&::SHGetKnownFolderPath)>(L"shell32.dll", "SHGetKnownFolderPath");
    const auto release = systemFunction<decltype(&::CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    if (!knownFolder || !release) return {};
    wchar_t* folder = nullptr;
    std::string result;
    if (SUCCEEDED(knownFolder(FOLDERID_ProgramFilesX86, 0, nullptr, &folder))) {
        result = narrow(folder);
    }
    release(folder);  // also when the call failed
    return result;
}

}  // namespace zonora
