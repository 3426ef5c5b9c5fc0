#include "platform/win32/system_library.h"

#include <string>

namespace zonora {

FARPROC systemProcedure(const wchar_t* dll, const char* function) {
    HMODULE module = ::GetModuleHandleW(dll);
    if (module == nullptr) {
        // From the system folder only, never from beside the program.
        std::wstring path(MAX_PATH, L'\0');
        const UINT length = ::GetSystemDirectoryW(path.data(), MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return nullptr;
        path.resize(length);
        module = ::LoadLibraryW((path + L'\\' + dll).c_str());
    }
    return module == nullptr ? nullptr : ::GetProcAddress(module, function);
}

}  // namespace zonora
