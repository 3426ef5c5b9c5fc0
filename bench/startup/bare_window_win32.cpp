// The Windows yardstick: a plain Win32 window with as many controls of the
// same kinds as the program's window, and nothing else (no fonts, colours or
// painting of its own).
// clang-format off
#include <windows.h>  // first: commctrl.h needs it
#include <commctrl.h>
// clang-format on

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void control(HWND parent, const wchar_t* kind, const wchar_t* text, DWORD style, int top) {
    CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | style, 10, top, 150, 18, parent, nullptr,
                    nullptr, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"bare_window";
    RegisterClassExW(&windowClass);

    RECT frame{0, 0, 384, 249};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND window = CreateWindowExW(0, L"bare_window", L"bare window", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);

    for (int i = 0; i < 4; ++i) control(window, L"STATIC", L"label", SS_CENTER, 20 * i);
    control(window, L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL, 80);
    control(window, L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL, 100);
    for (int i = 0; i < 4; ++i) control(window, L"BUTTON", L"button", BS_PUSHBUTTON, 120 + 20 * i);
    HWND group = CreateWindowExW(WS_EX_CONTROLPARENT, L"BUTTON", L"frame",
                                 WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 200, 20, 150, 120, window,
                                 nullptr, nullptr, nullptr);
    control(group, L"STATIC", L"label", SS_CENTER, 20);
    control(group, L"STATIC", L"label", SS_CENTER, 40);
    control(group, L"BUTTON", L"", BS_AUTORADIOBUTTON, 60);
    control(group, L"BUTTON", L"", BS_AUTORADIOBUTTON, 80);

    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
