// The window's controls: made, placed and given their fonts from the shared
// control table.
#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/win32/win32_text.h"
#include "ui/win32/accessible_names.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/frmcnvt.h"

namespace zonora {
namespace {

using control_ids::hasWindow;
using control_ids::idOf;
using layout::Control;
using layout::Kind;

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

// A container's windows in tab-index order: Windows moves the focus through a
// container's windows in the order they were made. A field's caption label,
// which takes no focus, comes just before the field, which it names.
std::vector<const Control*> creationOrder(std::string_view container) {
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
    return rows;
}

}  // namespace

// Created container by container. No two windows overlap, so the order of
// creation shows the same as the designed stacking.
void frmcnvt::createControls() {
    createIn(hwnd_, layout::kWindowName);
    directions_.attach(control("Optm2p"), control("Optp2m"));
}

void frmcnvt::createIn(HWND parent, std::string_view container) {
    bool firstOption = true;
    for (const Control* row : creationOrder(container)) {
        WindowKind kind = windowKindOf(row->kind);
        if (row->kind == Kind::OptionButton && std::exchange(firstOption, false)) {
            kind.style |= WS_GROUP;
        }
        const int id = idOf(row->name);
        const layout::Pixels place = layout::pixelsOf(row->twips, dpi_);
        HWND window = ::CreateWindowExW(
            kind.exStyle, kind.className, widen(row->caption).c_str(), kind.style, place.left,
            place.top, place.width, place.height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
            reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)), nullptr);
        if (!window) throw std::runtime_error("A control could not be created.");
        windows_[static_cast<std::size_t>(id - control_ids::kFirst)] = window;
        if (row->labelledBy && !namedByLabelBefore(*row)) {
            nameForScreenReaders(window, widen(layout::accessibleName(*row)));
        }
        const auto data = reinterpret_cast<DWORD_PTR>(this);
        if (row->kind == Kind::TextField) {
            ::SendMessageW(window, EM_SETLIMITTEXT, 0, 0);  // 0: as long as the system allows
            ::SetWindowSubclass(window, fieldProc, 0, data);
        } else if (row->kind == Kind::Frame) {
            ::SetWindowSubclass(window, frameProc, 0, data);
            createIn(window, row->name);
        }
    }
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

}  // namespace zonora
