#include "ui/win32/frmcnvt.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/win32/win32_text.h"
#include "ui/form_handlers.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/program_icon.h"
#include "ui/win32/window_size.h"

namespace zonora {
namespace {

constexpr wchar_t kClassName[] = L"ZonoraFrmcnvt";

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
    if (dpi_ != screenDpi) resizeClientArea(hwnd_, dpi_, std::nullopt);
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
    return windows_[static_cast<std::size_t>(control_ids::idOf(name) - control_ids::kFirst)];
}

void frmcnvt::rethrowPending() {
    if (pending_) std::rethrow_exception(std::exchange(pending_, nullptr));
}

void frmcnvt::clicked(std::string_view name) {
    if (name == "Optm2p") return directionClicked(Direction::MapToPdb);
    if (name == "Optp2m") return directionClicked(Direction::PdbToMap);
    if (!handlers_) return;
    for (const Click& click : kClicks) {
        if (name == click.control) (handlers_->*click.handler)();
    }
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
