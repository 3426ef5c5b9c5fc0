#pragma once

#include <string>
#include <vector>

namespace zonora::test {

// A control's place in pixels within its container.
struct Rectangle {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rectangle&) const = default;
};

// One control of the main window as designed, from
// tests/data/designed_window.txt, which both window tests read.
struct DesignedControl {
    std::string name;
    std::string container;  // frmcnvt (the window) or Frd (the frame)
    std::string kind;       // frame, option, label, button, field or shape
    int tab = 0;            // its place in the Tab order from 1; 0: takes no focus
    double points = 0;      // its font's size; 0 for a panel, which has none
    bool bold = false;
    Rectangle at96;
    Rectangle at144;
    std::string caption;
    std::string spoken;  // what a screen reader calls it
};

// Every control, the bottom of the stacking order first within its container.
const std::vector<DesignedControl>& designedControls();

// The names of the controls that take the focus, in Tab order.
std::vector<std::string> designedTabOrder();

// The reviewed place of a control (or "frmcnvt", the client area) at 96 or
// 144 dots per inch. Throws for one that is not there.
Rectangle expectedRectangle(const std::string& name, int dpi);

}  // namespace zonora::test
