#pragma once

#include <string>

namespace zonora::test {

// A control's place in pixels within its container.
struct Rectangle {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rectangle&) const = default;
};

// The reviewed place of a control (or "frmcnvt", the client area) at 96 or
// 144 dots per inch, from tests/data/window_rectangles.txt; both window
// tests read it. Throws for a row that is not there.
Rectangle expectedRectangle(const std::string& name, int dpi);

}  // namespace zonora::test
