// What the window does with each message the system sends it: one short
// handler a message.
#include <commctrl.h>

#include "ui/form_handlers.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/dropped_file.h"
#include "ui/win32/frmcnvt.h"
#include "ui/win32/window_size.h"

namespace zonora {
namespace {

constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, Windows 8.1 and later

}  // namespace

LRESULT frmcnvt::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return onCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_CTLCOLORSTATIC:
            return painting_.colourStatic(control_ids::rowOf(reinterpret_cast<HWND>(lParam)),
                                          reinterpret_cast<HDC>(wParam),
                                          ::DefWindowProcW(hwnd_, message, wParam, lParam));
        case WM_PAINT:
            return onPaint();
        case WM_PRINTCLIENT:
            return onPrintClient(reinterpret_cast<HDC>(wParam), lParam);
        case WM_ACTIVATE:
            onActivate(LOWORD(wParam));
            break;
        case WM_SETFOCUS:
            return onSetFocus();
        case kDpiChanged:
            return onDpiChanged(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        case WM_DROPFILES:
            return onDropFiles(reinterpret_cast<HDROP>(wParam));
        case WM_CLOSE:
            if (onClose()) return 0;
            break;
        case WM_DESTROY:
            return onDestroy();
        case WM_NCDESTROY:
            return onNcDestroy();
        default:
            break;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT frmcnvt::onCommand(int id, int code) {
    if (id == IDOK) {
        // Enter presses the focused button, as in a dialog.
        HWND focus = ::GetFocus();
        const layout::Control* row = control_ids::rowOf(focus);
        if (row && row->kind == layout::Kind::Button) ::SendMessageW(focus, BM_CLICK, 0, 0);
        return 0;
    }
    const layout::Control* row = control_ids::rowOf(id);
    if (row && code == BN_CLICKED) clicked(row->name);
    return 0;
}

LRESULT frmcnvt::onPaint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd_, &ps);
    painting_.paintShapes(dc, dpi_);
    ::EndPaint(hwnd_, &ps);
    return 0;
}

LRESULT frmcnvt::onPrintClient(HDC dc, LPARAM what) {
    if (what & PRF_ERASEBKGND) {
        RECT client;
        ::GetClientRect(hwnd_, &client);
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    }
    painting_.paintShapes(dc, dpi_);
    return 0;
}

// The control that had the focus gets it back when the window is active again.
void frmcnvt::onActivate(WORD state) {
    if (state != WA_INACTIVE) return;
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(hwnd_, focus)) lastFocus_ = focus;
}

LRESULT frmcnvt::onSetFocus() {
    HWND target = lastFocus_ && ::IsWindow(lastFocus_) ? lastFocus_
                                                       : ::GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    if (target) ::SetFocus(target);
    return 0;
}

LRESULT frmcnvt::onDpiChanged(int dpi, const RECT* suggested) {
    dpi_ = dpi;
    placeControls();
    setFonts(true);
    if (suggested && !::IsZoomed(hwnd_)) {
        resizeClientArea(hwnd_, dpi_, POINT{suggested->left, suggested->top});
    }
    ::InvalidateRect(hwnd_, nullptr, TRUE);
    return 0;
}

LRESULT frmcnvt::onDropFiles(HDROP drop) {
    const std::optional<std::string> path = takeDroppedFile(drop);
    if (path && handlers_) handlers_->openFile(*path);
    return 0;
}

// Closing ends the program just as Exit does; without handlers the system
// closes the window itself.
bool frmcnvt::onClose() {
    if (!handlers_) return false;
    handlers_->Cmdexit_Click();
    return true;
}

LRESULT frmcnvt::onDestroy() {
    // Destroyed by anything but its owner: the program has nothing left to show.
    if (!destroying_) ::PostQuitMessage(0);
    return 0;
}

LRESULT frmcnvt::onNcDestroy() {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    return 0;
}

LRESULT CALLBACK frmcnvt::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<frmcnvt*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<frmcnvt*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        return self->handle(message, wParam, lParam);
    } catch (...) {
        self->pending_ = std::current_exception();
        return 0;
    }
}

// The frame is the direction buttons' parent: what they tell it goes on to
// the window, and it paints its own background, which the window leaves out.
LRESULT CALLBACK frmcnvt::frameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR) {
    switch (message) {
        case WM_COMMAND:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return ::SendMessageW(::GetParent(hwnd), message, wParam, lParam);
        case WM_ERASEBKGND: {
            RECT client;
            ::GetClientRect(hwnd, &client);
            ::FillRect(reinterpret_cast<HDC>(wParam), &client, ::GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(hwnd, frameProc, id);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

// A plain edit control does nothing with a drop: the window opens the file.
LRESULT CALLBACK frmcnvt::fieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR) {
    switch (message) {
        case WM_DROPFILES:
            return ::SendMessageW(::GetParent(hwnd), message, wParam, lParam);
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(hwnd, fieldProc, id);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace zonora
