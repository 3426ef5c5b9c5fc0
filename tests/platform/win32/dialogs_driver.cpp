#include "tests/platform/win32/dialogs_driver.h"

#include <chrono>

#include "platform/win32/win32_text.h"

namespace zonora::test {
namespace {

constexpr wchar_t kOwnerClass[] = L"ZonoraDialogsTestOwner";

std::string className(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return narrow(name);
}

std::string withoutShortcut(std::string text) {
    std::erase(text, '&');
    return text;
}

std::string windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

struct Search {
    HWND except;
    HWND found;
};

BOOL CALLBACK findVisibleDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (window != search->except && ::IsWindowVisible(window) && className(window) == "#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK collectChild(HWND window, LPARAM parameter) {
    reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

}  // namespace

OwnerWindow::OwnerWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kOwnerClass;
    ::RegisterClassW(&windowClass);  // fails harmlessly once registered
    handle_ = ::CreateWindowW(kOwnerClass, L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                              200, nullptr, nullptr, windowClass.hInstance, nullptr);
}

OwnerWindow::~OwnerWindow() { ::DestroyWindow(handle_); }

HWND findDialog(DWORD thread, HWND except) {
    Search search{except, nullptr};
    ::EnumThreadWindows(thread, findVisibleDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForDialog(DWORD thread, HWND except, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        if (HWND dialog = findDialog(thread, except)) return dialog;
        ::Sleep(20);
    } while (std::chrono::steady_clock::now() < end);
    return nullptr;
}

bool waitUntilClosed(HWND window, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (::IsWindow(window)) {
        if (std::chrono::steady_clock::now() >= end) return false;
        ::Sleep(20);
    }
    return true;
}

DialogView readDialog(HWND dialog) {
    DialogView view;
    view.owner = ::GetWindow(dialog, GW_OWNER);
    view.ownerEnabled = view.owner != nullptr && ::IsWindowEnabled(view.owner);
    view.title = windowText(dialog);
    std::vector<HWND> children;
    ::EnumChildWindows(dialog, collectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        if (!::IsWindowVisible(child)) continue;
        const auto style = static_cast<DWORD>(::GetWindowLongW(child, GWL_STYLE));
        const std::string kind = className(child);
        if (kind == "Button") {
            const std::string text = withoutShortcut(windowText(child));
            view.buttons.push_back(text);
            if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) view.defaultButton = text;
        } else if (kind == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
            view.icon = view.icon || ::SendMessageW(child, STM_GETICON, 0, 0) != 0;
        } else if (kind == "Static" && ::GetDlgCtrlID(child) == 0xFFFF) {
            view.text = windowText(child);
        }
    }
    return view;
}

std::string controlText(HWND dialog, int id) { return windowText(::GetDlgItem(dialog, id)); }

std::string selectedItem(HWND dialog, int id) {
    HWND combo = ::GetDlgItem(dialog, id);
    const LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index < 0) return {};
    std::wstring text(
        static_cast<std::size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::SendMessageW(
        combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()))));
    return narrow(text);
}

void setControlText(HWND dialog, int id, const std::string& text) {
    const std::wstring wide = widen(text);
    ::SendMessageW(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void pressButton(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void pressKey(WORD virtualKey) {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = virtualKey;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
}

DialogScript::DialogScript(std::function<void(DWORD uiThread)> script) {
    const DWORD ui = ::GetCurrentThreadId();
    thread_ = std::thread([this, ui, script = std::move(script)] {
        script(ui);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!done_) {
            if (std::chrono::steady_clock::now() > deadline) {
                if (HWND dialog = findDialog(ui)) {
                    leftOpen_ = true;
                    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                    ::PostMessageW(dialog, WM_COMMAND, IDNO, 0);
                }
            }
            ::Sleep(50);
        }
    });
}

void DialogScript::finish() {
    done_ = true;
    if (thread_.joinable()) thread_.join();
}

}  // namespace zonora::test
