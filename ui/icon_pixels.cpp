#include "ui/icon_pixels.h"

#include <algorithm>
#include <cstdlib>

namespace zonora {

IconColour iconPixel(int size, int x, int y) {
    // The triangle (0,0), (0,size), (size,size/2) holds the pixel centre
    // (x+0.5, y+0.5) when |cy - size/2| <= (size/2)(1 - cx/size); doubled twice
    // to stay in integers. The two sides never tie: one is even, one odd.
    const int offCentre = std::abs(2 * y + 1 - size);
    if (2 * offCentre > 2 * size - 2 * x - 1) return IconColour::Transparent;
    const int strip = std::max(1, size / 8);
    if (x < strip) return IconColour::DarkGrey;
    return 2 * y + 1 < size ? IconColour::LightGrey : IconColour::Black;
}

}  // namespace zonora
