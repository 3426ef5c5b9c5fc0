#pragma once

#include <windows.h>

#include <array>

#include "ui/form_controls.h"

namespace zonora {

// The two direction buttons and their focus rule: gaining the focus selects
// nothing, whatever the system does on it, and each button stays a tab stop
// of its own.
class DirectionButtons {
  public:
    // Subclasses both buttons; they must outlive nothing of this object's.
    void attach(HWND mapToPdb, HWND pdbToMap);

    bool isChecked(Direction direction) const;
    // Checks one button and clears the other, without a click.
    void check(Direction direction);
    // True inside a button's WM_SETFOCUS: a click the system sends then is
    // its own, not the user's.
    bool focusing() const { return focusing_ > 0; }

  private:
    static LRESULT CALLBACK buttonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
    HWND button(Direction direction) const;
    std::array<bool, 2> checks() const;
    void restoreChecks(const std::array<bool, 2>& before);

    std::array<HWND, 2> buttons_{};  // Map to PDB, PDB to Map
    int focusing_ = 0;
};

}  // namespace zonora
