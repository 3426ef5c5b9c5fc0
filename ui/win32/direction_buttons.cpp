#include "ui/win32/direction_buttons.h"

#include <commctrl.h>

namespace zonora {
namespace {

constexpr UINT_PTR kSubclassId = 1;

}  // namespace

void DirectionButtons::attach(HWND mapToPdb, HWND pdbToMap) {
    buttons_ = {mapToPdb, pdbToMap};
    for (HWND b : buttons_) {
        ::SetWindowSubclass(b, buttonProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
}

HWND DirectionButtons::button(Direction direction) const {
    return buttons_[direction == Direction::MapToPdb ? 0 : 1];
}

bool DirectionButtons::isChecked(Direction direction) const {
    return ::SendMessageW(button(direction), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void DirectionButtons::check(Direction direction) {
    const Direction other =
        direction == Direction::MapToPdb ? Direction::PdbToMap : Direction::MapToPdb;
    ::SendMessageW(button(other), BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendMessageW(button(direction), BM_SETCHECK, BST_CHECKED, 0);
}

std::array<bool, 2> DirectionButtons::checks() const {
    return {isChecked(Direction::MapToPdb), isChecked(Direction::PdbToMap)};
}

void DirectionButtons::restoreChecks(const std::array<bool, 2>& before) {
    const std::array<bool, 2> now = checks();
    // Clear first: checking an automatic button clears the others itself.
    for (bool wanted : {false, true}) {
        for (std::size_t i = 0; i < 2; ++i) {
            if (before[i] == wanted && now[i] != wanted) {
                ::SendMessageW(buttons_[i], BM_SETCHECK, wanted ? BST_CHECKED : 0, 0);
            }
        }
    }
}

LRESULT CALLBACK DirectionButtons::buttonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR id, DWORD_PTR selfData) {
    auto* self = reinterpret_cast<DirectionButtons*>(selfData);
    switch (message) {
        case WM_SETFOCUS: {
            // Windows clicks a direction button as it gains the focus; Tab only moves.
            const std::array<bool, 2> before = self->checks();
            ++self->focusing_;
            const LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
            --self->focusing_;
            self->restoreChecks(before);
            return result;
        }
        case BM_SETCHECK: {
            // The system keeps only the checked button of a group as a tab
            // stop; each direction button stays one of its own.
            const LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
            ::SetWindowLongPtrW(hwnd, GWL_STYLE, ::GetWindowLongPtrW(hwnd, GWL_STYLE) | WS_TABSTOP);
            return result;
        }
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(hwnd, buttonProc, id);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace zonora
