#pragma once

#include <windows.h>

#include <vector>

#include "ui/form_layout.h"

namespace zonora {

// The window's fonts at one dpi, each control's caption set at the size at
// which it fits the control (the window's rule, in ui/form_layout.h).
class FormFonts {
  public:
    FormFonts() = default;
    ~FormFonts();
    FormFonts(const FormFonts&) = delete;
    FormFonts& operator=(const FormFonts&) = delete;
    // Taking another set's fonts deletes this one's: windows must not be
    // using them any more.
    FormFonts& operator=(FormFonts&& other) noexcept;

    // The font for the control's window at this dpi, measured on dc; kept
    // as long as the set.
    HFONT fontFor(HDC dc, const layout::Control& control, HWND window, int dpi);

  private:
    HFONT made(const layout::Font& font, int dpi);
    void clear();

    std::vector<std::pair<layout::Font, HFONT>> fonts_;
};

HFONT createFont(const layout::Font& font, int dpi);

}  // namespace zonora
