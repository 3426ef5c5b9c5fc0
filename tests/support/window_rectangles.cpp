#include "tests/support/window_rectangles.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "tests/support/temp_folder.h"

namespace zonora::test {

Rectangle expectedRectangle(const std::string& name, int dpi) {
    static const auto rows = [] {
        std::map<std::pair<std::string, int>, Rectangle> table;
        std::ifstream file(fromUtf8(sampleFile("window_rectangles.txt")));
        for (std::string line; std::getline(file, line);) {
            if (line.empty() || line.front() == '#') continue;
            std::istringstream words(line);
            std::string control;
            int at = 0;
            Rectangle r;
            if (words >> control >> at >> r.left >> r.top >> r.width >> r.height) {
                table[{control, at}] = r;
            }
        }
        return table;
    }();
    const auto found = rows.find({name, dpi});
    if (found == rows.end()) {
        throw std::out_of_range("no rectangle for " + name + " at " + std::to_string(dpi));
    }
    return found->second;
}

}  // namespace zonora::test
