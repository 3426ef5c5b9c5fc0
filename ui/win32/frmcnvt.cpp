#include "ui/win32/frmcnvt.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/win32/system_library.h"
#include "platform/win32/win32_text.h"
#include "ui/form_handlers.h"
#include "ui/win32/accessible_names.h"
#include "ui/win32/program_icon.h"

namespace zonora {
namespace {

using layout::Colour;
using layout::Control;
using layout::Kind;

constexpr wchar_t kClassName[] = L"ZonoraFrmcnvt";
// Clear of IDOK and IDCANCEL, which the keyboard handling sends for Enter and Escape.
constexpr int kFirstId = 100;
constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, Windows 8.1 and later

int idOf(std::string_view name) {
    const auto* row = &layout::control(name);
    return kFirstId + static_cast<int>(row - layout::kControls.data());
}

const Control* rowOf(int id) {
    const int index = id - kFirstId;
    if (index < 0 || index >= static_cast<int>(layout::kControls.size())) return nullptr;
    return &layout::kControls[static_cast<std::size_t>(index)];
}

const Control* rowOf(HWND control) { return control ? rowOf(::GetDlgCtrlID(control)) : nullptr; }

bool hasWindow(Kind kind) { return kind != Kind::Rectangle && kind != Kind::FileDialog; }

// Windows names a field for screen readers after the label made just before
// it, any other control after its own text.
bool namedByLabelBefore(const Control& row) {
    return row.kind == Kind::TextField && row.labelledBy;
}

bool captionsAField(const Control& label) {
    return std::ranges::any_of(layout::kControls, [&label](const Control& row) {
        return namedByLabelBefore(row) && label.name == std::string_view(row.labelledBy);
    });
}

// The dots per inch of the window, or of the screen before there is one.
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

// The window's outer size for the designed client area at dpi.
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

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowKind windowKindOf(Kind kind) {
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    switch (kind) {
        case Kind::Frame:
            // Its direction buttons take part in Tab through WS_EX_CONTROLPARENT.
            return {L"BUTTON", child | BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case Kind::OptionButton:
            return {L"BUTTON", child | WS_TABSTOP | BS_AUTORADIOBUTTON, 0};
        case Kind::Label:
            // WS_GROUP: a label ends the run of direction buttons the arrow keys move in.
            return {L"STATIC", child | WS_GROUP | SS_CENTER, 0};
        case Kind::Button:
            return {L"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON, 0};
        case Kind::TextField:
            // A file dropped on a field is delivered to the field itself.
            return {L"EDIT", child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                    WS_EX_CLIENTEDGE | WS_EX_ACCEPTFILES};
        case Kind::Rectangle:
        case Kind::FileDialog:
            break;
    }
    return {};
}

struct Click {
    const char* control;
    void (FormHandlers::*handler)();
};
constexpr Click kClicks[] = {
    {"Cmdbrm", &FormHandlers::Cmdbrm_Click},
    {"cmdbrp", &FormHandlers::cmdbrp_Click},
    {"cmdcvt", &FormHandlers::cmdcvt_Click},
    {"Cmdexit", &FormHandlers::Cmdexit_Click},
};

// The program's icon goes with the class, so that the window has it from the
// start without being told.
void registerClass(HINSTANCE instance, WNDPROC windowProc) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (::GetClassInfoExW(instance, kClassName, &windowClass)) return;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = programIcon(instance, SM_CXICON, SM_CYICON);
    windowClass.hIconSm = programIcon(instance, SM_CXSMICON, SM_CYSMICON);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassExW(&windowClass);
}

// The path of a drop of exactly one file; several at once are refused. The
// shell, which hands drops over, is loaded by the first drop, not at start.
std::optional<std::string> onlyFile(HDROP drop) {
    const auto query =
        systemFunction<decltype(&::DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    if (!query || query(drop, 0xFFFFFFFF, nullptr, 0) != 1) return std::nullopt;
    const UINT length = query(drop, 0, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    path.resize(query(drop, 0, path.data(), length + 1));
    if (path.empty()) return std::nullopt;
    return narrow(path);
}

void finish(HDROP drop) {
    if (const auto done = systemFunction<decltype(&::DragFinish)>(L"shell32.dll", "DragFinish")) {
        done(drop);
    }
}

}  // namespace

frmcnvt::frmcnvt(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    registerClass(instance, windowProc);
    // Made at its size for the screen's dpi, which is the window's unless the
    // system places it on another screen. It accepts dropped files, as
    // DragAcceptFiles would make it.
    constexpr DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    constexpr DWORD exStyle = WS_EX_ACCEPTFILES;
    const int screenDpi = windowDpi(nullptr);
    const SIZE size = frameSize(style, exStyle, screenDpi);
    hwnd_ = ::CreateWindowExW(exStyle, kClassName, widen(layout::kWindowCaption).c_str(), style,
                              CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr,
                              instance, this);
    if (!hwnd_) throw std::runtime_error("The window could not be created.");
    dpi_ = windowDpi(hwnd_);
    try {
        createControls();
    } catch (...) {
        destroying_ = true;
        ::DestroyWindow(hwnd_);
        throw;
    }
    setFonts(false);  // hidden: nothing to redraw yet
    if (dpi_ != screenDpi) resizeClientArea(std::nullopt);
}

frmcnvt::~frmcnvt() {
    destroying_ = true;
    handlers_ = nullptr;  // they may be gone already
    if (hwnd_) ::DestroyWindow(hwnd_);
}

void frmcnvt::forwardTo(FormHandlers& handlers) { handlers_ = &handlers; }

void frmcnvt::show(int showCommand) {
    ::ShowWindow(hwnd_, showCommand);
    ::UpdateWindow(hwnd_);
}

HWND frmcnvt::control(std::string_view name) const {
    return windows_[static_cast<std::size_t>(idOf(name) - kFirstId)];
}

void frmcnvt::rethrowPending() {
    if (pending_) std::rethrow_exception(std::exchange(pending_, nullptr));
}

// Created container by container in tab-index order: Windows moves the focus
// through a container's windows in the order they were made. A field's caption
// label, which takes no focus, is made just before the field, which it names.
// No two windows overlap, so this order shows the same as the designed stacking.
void frmcnvt::createControls() {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
    auto createIn = [&](auto& self, HWND parent, std::string_view container) -> void {
        std::vector<const Control*> sorted;
        for (const Control& row : layout::kControls) {
            if (hasWindow(row.kind) && container == row.container && !captionsAField(row)) {
                sorted.push_back(&row);
            }
        }
        std::ranges::sort(sorted, {}, &Control::tabIndex);
        std::vector<const Control*> rows;
        for (const Control* row : sorted) {
            if (namedByLabelBefore(*row)) rows.push_back(&layout::control(row->labelledBy));
            rows.push_back(row);
        }
        bool firstOption = true;
        for (const Control* row : rows) {
            WindowKind kind = windowKindOf(row->kind);
            if (row->kind == Kind::OptionButton && std::exchange(firstOption, false)) {
                kind.style |= WS_GROUP;
            }
            const int id = idOf(row->name);
            const layout::Pixels place = layout::pixelsOf(row->twips, dpi_);
            HWND window = ::CreateWindowExW(
                kind.exStyle, kind.className, widen(row->caption).c_str(), kind.style, place.left,
                place.top, place.width, place.height, parent,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
            if (!window) throw std::runtime_error("A control could not be created.");
            windows_[static_cast<std::size_t>(id - kFirstId)] = window;
            if (row->labelledBy && !namedByLabelBefore(*row)) {
                nameForScreenReaders(window, widen(layout::accessibleName(*row)));
            }
            const auto data = reinterpret_cast<DWORD_PTR>(this);
            if (row->kind == Kind::TextField) {
                ::SendMessageW(window, EM_SETLIMITTEXT, 0, 0);  // 0: as long as the system allows
                ::SetWindowSubclass(window, fieldProc, 0, data);
            } else if (row->kind == Kind::Frame) {
                ::SetWindowSubclass(window, frameProc, 0, data);
                self(self, window, row->name);
            }
        }
    };
    createIn(createIn, hwnd_, layout::kWindowName);
    directions_.attach(control("Optm2p"), control("Optp2m"));
}

void frmcnvt::placeControls() {
    for (const Control& row : layout::kControls) {
        if (!hasWindow(row.kind)) continue;
        const layout::Pixels place = layout::pixelsOf(row.twips, dpi_);
        ::SetWindowPos(control(row.name), nullptr, place.left, place.top, place.width, place.height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void frmcnvt::setFonts(bool redraw) {
    FormFonts fonts;
    HDC dc = ::GetDC(hwnd_);
    for (const Control& row : layout::kControls) {
        if (!hasWindow(row.kind)) continue;
        HWND window = control(row.name);
        HFONT font = fonts.fontFor(dc, row, window, dpi_);
        ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    ::ReleaseDC(hwnd_, dc);
    fonts_ = std::move(fonts);  // the old ones are no longer in use
}

// The frame measured as it is, which after a change of DPI is already the new
// DPI's frame.
void frmcnvt::resizeClientArea(std::optional<POINT> topLeft) {
    RECT outer;
    RECT client;
    ::GetWindowRect(hwnd_, &outer);
    ::GetClientRect(hwnd_, &client);
    const int width = layout::twipsToPixels(layout::kClientWidthTwips, dpi_) +
                      (outer.right - outer.left) - client.right;
    const int height = layout::twipsToPixels(layout::kClientHeightTwips, dpi_) +
                       (outer.bottom - outer.top) - client.bottom;
    const POINT at = topLeft.value_or(POINT{});
    ::SetWindowPos(hwnd_, nullptr, at.x, at.y, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE | (topLeft ? 0 : SWP_NOMOVE));
}

void frmcnvt::directionClicked(Direction direction) {
    // Windows clicks a direction button as it gains the focus; Tab only moves.
    if (directions_.focusing()) return;
    if (!directions_.isChecked(direction) || selected_ == direction) return;
    selected_ = direction;
    if (!handlers_) return;
    if (direction == Direction::MapToPdb) {
        handlers_->Optm2p_Click();
    } else {
        handlers_->Optp2m_Click();
    }
}

void frmcnvt::select(Direction direction) {
    directions_.check(direction);
    directionClicked(direction);
}

void frmcnvt::command(int id, int code) {
    if (id == IDOK) {
        // Enter presses the focused button, as in a dialog.
        HWND focus = ::GetFocus();
        const Control* row = rowOf(focus);
        if (row && row->kind == Kind::Button) ::SendMessageW(focus, BM_CLICK, 0, 0);
        return;
    }
    const Control* row = rowOf(id);
    if (!row || code != BN_CLICKED) return;
    const std::string_view name = row->name;
    if (name == "Optm2p") return directionClicked(Direction::MapToPdb);
    if (name == "Optp2m") return directionClicked(Direction::PdbToMap);
    if (!handlers_) return;
    for (const Click& click : kClicks) {
        if (name == click.control) (handlers_->*click.handler)();
    }
}

LRESULT frmcnvt::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
            return painting_.colourStatic(rowOf(reinterpret_cast<HWND>(lParam)),
                                          reinterpret_cast<HDC>(wParam),
                                          ::DefWindowProcW(hwnd_, message, wParam, lParam));
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(hwnd_, &ps);
            painting_.paintShapes(dc, dpi_);
            ::EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            if (lParam & PRF_ERASEBKGND) {
                RECT client;
                ::GetClientRect(hwnd_, &client);
                ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
            }
            painting_.paintShapes(dc, dpi_);
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (focus && ::IsChild(hwnd_, focus)) lastFocus_ = focus;
            }
            break;
        case WM_SETFOCUS: {
            HWND target = lastFocus_ && ::IsWindow(lastFocus_)
                              ? lastFocus_
                              : ::GetNextDlgTabItem(hwnd_, nullptr, FALSE);
            if (target) ::SetFocus(target);
            return 0;
        }
        case kDpiChanged: {
            dpi_ = LOWORD(wParam);
            placeControls();
            setFonts(true);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            if (suggested && !::IsZoomed(hwnd_)) {
                resizeClientArea(POINT{suggested->left, suggested->top});
            }
            ::InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        }
        case WM_DROPFILES: {
            const auto drop = reinterpret_cast<HDROP>(wParam);
            const std::optional<std::string> path = onlyFile(drop);
            finish(drop);
            if (path && handlers_) handlers_->openFile(*path);
            return 0;
        }
        case WM_CLOSE:
            // Closing ends the program just as Exit does.
            if (!handlers_) break;
            handlers_->Cmdexit_Click();
            return 0;
        case WM_DESTROY:
            // Destroyed by anything but its owner: the program has nothing left to show.
            if (!destroying_) ::PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            hwnd_ = nullptr;
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
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

std::string frmcnvt::text(Field field) const {
    HWND window = control(field == Field::Map ? "tbm" : "tbp");
    std::wstring buffer(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
    buffer.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return narrow(buffer);
}

void frmcnvt::setText(Field field, const std::string& text) {
    ::SetWindowTextW(control(field == Field::Map ? "tbm" : "tbp"), widen(text).c_str());
}

bool frmcnvt::isSelected(Direction direction) const { return directions_.isChecked(direction); }

}  // namespace zonora
