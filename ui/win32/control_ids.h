#pragma once

#include <windows.h>

#include <string_view>

#include "ui/form_layout.h"

// The window's controls by their Win32 identifiers: one for each row of the
// control table, in its order.
namespace zonora::control_ids {

// Clear of IDOK and IDCANCEL, which the keyboard handling sends for Enter and Escape.
inline constexpr int kFirst = 100;

inline int idOf(std::string_view name) {
    const auto* row = &layout::control(name);
    return kFirst + static_cast<int>(row - layout::kControls.data());
}

// The row of an identifier, or null for one that is no control's.
inline const layout::Control* rowOf(int id) {
    const int index = id - kFirst;
    if (index < 0 || index >= static_cast<int>(layout::kControls.size())) return nullptr;
    return &layout::kControls[static_cast<std::size_t>(index)];
}

inline const layout::Control* rowOf(HWND control) {
    return control ? rowOf(::GetDlgCtrlID(control)) : nullptr;
}

// The panels are painted and the file dialog is the system's: neither is a
// window of the form's.
inline bool hasWindow(layout::Kind kind) {
    return kind != layout::Kind::Rectangle && kind != layout::Kind::FileDialog;
}

}  // namespace zonora::control_ids
