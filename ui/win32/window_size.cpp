#include "ui/win32/window_size.h"

#include "platform/win32/system_library.h"
#include "ui/form_layout.h"

namespace zonora {

int windowDpi(HWND hwnd) {
    // Newer than the oldest Windows the program runs on.
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpi = systemFunction<GetDpiForWindow>(L"user32.dll", "GetDpiForWindow");
    if (getDpi && hwnd) {
        if (const UINT dpi = getDpi(hwnd)) return static_cast<int>(dpi);
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

SIZE frameSize(DWORD style, DWORD exStyle, int dpi) {
    RECT frame{0, 0, layout::twipsToPixels(layout::kClientWidthTwips, dpi),
               layout::twipsToPixels(layout::kClientHeightTwips, dpi)};
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        systemFunction<AdjustForDpi>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void resizeClientArea(HWND hwnd, int dpi, std::optional<POINT> topLeft) {
    RECT outer;
    RECT client;
    ::GetWindowRect(hwnd, &outer);
    ::GetClientRect(hwnd, &client);
    const int width = layout::twipsToPixels(layout::kClientWidthTwips, dpi) +
                      (outer.right - outer.left) - client.right;
    const int height = layout::twipsToPixels(layout::kClientHeightTwips, dpi) +
                       (outer.bottom - outer.top) - client.bottom;
    const POINT at = topLeft.value_or(POINT{});
    ::SetWindowPos(hwnd, nullptr, at.x, at.y, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE | (topLeft ? 0 : SWP_NOMOVE));
}

}  // namespace zonora
