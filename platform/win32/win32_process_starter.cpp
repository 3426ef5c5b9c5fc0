#include "platform/win32/win32_process_starter.h"

#include <windows.h>

#include <vector>

#include "platform/win32/win32_error.h"
#include "platform/win32/win32_text.h"

namespace zonora {

std::string programOf(const std::string& commandLine) {
    if (commandLine.starts_with('"')) {
        return commandLine.substr(1, commandLine.find('"', 1) - 1);
    }
    return commandLine.substr(0, commandLine.find_first_of(" \t"));
}

void Win32ProcessStarter::start(const std::string& commandLine) {
    // CreateProcessW may write into the command line, so it gets its own copy.
    const std::wstring wide = widen(commandLine);
    std::vector<wchar_t> line(wide.begin(), wide.end());
    line.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        throwWin32Error(::GetLastError(), programOf(commandLine));
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

}  // namespace zonora
