#pragma once

#include <windows.h>

#include <optional>

namespace zonora {

// The dots per inch of the window, or of the screen before there is one.
int windowDpi(HWND hwnd);

// The window's outer size for the designed client area at dpi.
SIZE frameSize(DWORD style, DWORD exStyle, int dpi);

// Gives the window the designed client area at dpi, its frame measured as it
// is (after a change of DPI, already the new DPI's frame); moved to topLeft
// when there is one.
void resizeClientArea(HWND hwnd, int dpi, std::optional<POINT> topLeft);

}  // namespace zonora
