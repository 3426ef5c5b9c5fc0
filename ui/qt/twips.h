#pragma once

#include <QRect>
#include <QSize>

namespace zonora {

// The window was laid out in twips at 96 dots per inch; Qt scales logical
// pixels to the screen from there.
inline constexpr int kTwipsPerPixel = 15;

inline int twipsToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

// Left, top, width and height in twips.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

inline QRect toPixels(const TwipRect& r) {
    return {twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
            twipsToPixels(r.height)};
}

inline QSize toPixels(int widthTwips, int heightTwips) {
    return {twipsToPixels(widthTwips), twipsToPixels(heightTwips)};
}

}  // namespace zonora
