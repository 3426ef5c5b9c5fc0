#include "platform/win32/win32_known_folders.h"

#include <windows.h>
// After windows.h, which they build on.
#include <knownfolders.h>
#include <shlobj.h>

#include "platform/win32/win32_text.h"

namespace zonora {

std::string programFilesX86Folder() {
    wchar_t* folder = nullptr;
    std::string result;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_ProgramFilesX86, 0, nullptr, &folder))) {
        result = narrow(folder);
    }
    ::CoTaskMemFree(folder);  // also when the call failed
    return result;
}

}  // namespace zonora
