#pragma once

#include <windows.h>

namespace zonora {

// A function of a DLL in the system's own folder, loaded the first time it
// is asked for and kept to the end of the program; null when the system has
// no such DLL or function. The program then pays for a DLL when a click
// needs it, not at start.
FARPROC systemProcedure(const wchar_t* dll, const char* function);

template <typename Function>
Function systemFunction(const wchar_t* dll, const char* function) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(systemProcedure(dll, function)));
}

}  // namespace zonora
