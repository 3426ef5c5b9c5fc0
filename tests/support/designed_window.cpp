#include "tests/support/designed_window.h"

#include <algorithm>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <stdexcept>

#include "tests/support/temp_folder.h"

namespace zonora::test {
namespace {

std::istream& operator>>(std::istream& in, Rectangle& r) {
    return in >> r.left >> r.top >> r.width >> r.height;
}

// A row of the file; "-" stands for no Tab place, no font, normal weight.
DesignedControl parseRow(const std::string& line) {
    std::istringstream words(line);
    DesignedControl c;
    std::string tab;
    std::string points;
    std::string weight;
    words >> c.name >> c.container >> c.kind >> tab >> points >> weight >> c.at96 >> c.at144;
    if (!words) throw std::runtime_error("a bad row in designed_window.txt: " + line);
    c.tab = tab == "-" ? 0 : std::stoi(tab);
    c.points = points == "-" ? 0 : std::stod(points);
    c.bold = weight == "bold";
    words >> std::quoted(c.caption);
    const std::string version = "{version}";
    if (const auto at = c.caption.find(version); at != std::string::npos) {
        c.caption.replace(at, version.size(), ZONORA_PROJECT_VERSION);
    }
    if (!(words >> std::quoted(c.spoken))) c.spoken = c.caption;
    return c;
}

// The window's own row first, then the controls'.
const std::vector<DesignedControl>& rows() {
    static const std::vector<DesignedControl> all = [] {
        std::vector<DesignedControl> read;
        std::ifstream file(fromUtf8(sampleFile("designed_window.txt")));
        for (std::string line; std::getline(file, line);) {
            if (!line.empty() && line.front() != '#') read.push_back(parseRow(line));
        }
        if (read.empty() || read.front().kind != "window") {
            throw std::runtime_error("designed_window.txt does not start with the window");
        }
        return read;
    }();
    return all;
}

}  // namespace

const std::vector<DesignedControl>& designedControls() {
    static const std::vector<DesignedControl> controls(rows().begin() + 1, rows().end());
    return controls;
}

std::vector<std::string> designedTabOrder() {
    std::vector<const DesignedControl*> focusable;
    for (const DesignedControl& c : designedControls()) {
        if (c.tab != 0) focusable.push_back(&c);
    }
    std::sort(focusable.begin(), focusable.end(),
              [](const DesignedControl* a, const DesignedControl* b) { return a->tab < b->tab; });
    std::vector<std::string> names;
    for (const DesignedControl* c : focusable) names.push_back(c->name);
    return names;
}

Rectangle expectedRectangle(const std::string& name, int dpi) {
    for (const DesignedControl& c : rows()) {
        if (c.name == name && (dpi == 96 || dpi == 144)) return dpi == 96 ? c.at96 : c.at144;
    }
    throw std::out_of_range("no rectangle for " + name + " at " + std::to_string(dpi));
}

}  // namespace zonora::test
