#pragma once

#include <windows.h>

#include <string>

namespace zonora {

// Names a control for screen readers where its own text cannot: a direction
// button shows no caption, its label beside it does. The control answers the
// request for its accessible object with the system's own one under that
// name. oleacc is loaded at the first request, not at start.
void nameForScreenReaders(HWND control, std::wstring name);

}  // namespace zonora
