// Stands in for the handheld's Install Tool in tests. It waits until a file
// named instapp.release appears beside it, so that a test can show that its
// starter did not wait for it, and then writes the command line it was
// started with, as UTF-8, to instapp.record beside it.
#include <windows.h>

#include <string>

namespace {

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), length, nullptr, nullptr);
    return result;
}

std::wstring ownFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

}  // namespace

int wmain() {
    const std::wstring commandLine = ::GetCommandLineW();
    const std::wstring folder = ownFolder();
    // A test that never releases it does not leave it running for long.
    bool released = false;
    for (int tick = 0; tick < 1200 && !released; ++tick) {
        released =
            ::GetFileAttributesW((folder + L"instapp.release").c_str()) != INVALID_FILE_ATTRIBUTES;
        if (!released) ::Sleep(100);
    }
    if (!released) return 1;

    // Written aside and renamed, so that the test never reads half of it.
    const std::wstring partial = folder + L"instapp.record.part";
    const HANDLE file = ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    const std::string text = utf8(commandLine);
    DWORD written = 0;
    const bool wrote =
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size();
    ::CloseHandle(file);
    if (!wrote) return 3;
    return ::MoveFileExW(partial.c_str(), (folder + L"instapp.record").c_str(),
                         MOVEFILE_REPLACE_EXISTING)
               ? 0
               : 4;
}
