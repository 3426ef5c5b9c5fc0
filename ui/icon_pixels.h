#pragma once

#include <array>
#include <cstdint>

namespace zonora {

// A colour of the Windows 16-colour (VGA) palette, by its index there, or
// transparent. Only the icon's three colours are named.
enum class IconColour : std::uint8_t {
    Black = 0,
    LightGrey = 7,
    DarkGrey = 8,
    Transparent = 16,
};

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// The palette in index order, as 16-colour icons and bitmaps carry it.
inline constexpr std::array<Rgb, 16> kVgaPalette = {{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

// The program's icon, the one rule every front end draws from: a
// right-pointing arrowhead as tall as the icon, light grey above its midline
// and black below, with a dark grey strip (an eighth of the icon wide) along
// its left edge; transparent elsewhere. A pixel belongs to the arrowhead when
// its centre does. x runs rightwards and y downwards from the top left corner,
// both in [0, size); size is positive.
IconColour iconPixel(int size, int x, int y);

}  // namespace zonora
