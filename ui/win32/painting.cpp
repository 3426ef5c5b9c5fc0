#include "ui/win32/painting.h"

namespace zonora {
namespace {

using layout::Colour;

COLORREF colorOf(const Colour& colour) {
    switch (colour.source) {
        case Colour::Source::Rgb:
            return RGB(colour.red, colour.green, colour.blue);
        case Colour::Source::Window:
            return ::GetSysColor(COLOR_WINDOW);
        case Colour::Source::WindowText:
        case Colour::Source::Default:  // asked only of text, whose default this is
            break;
    }
    return ::GetSysColor(COLOR_WINDOWTEXT);
}

}  // namespace

FormPainting::~FormPainting() {
    for (const auto& [colour, brush] : brushes_) ::DeleteObject(brush);
}

void FormPainting::paintShapes(HDC dc, int dpi) const {
    for (const layout::Control& row : layout::kControls) {
        if (row.kind != layout::Kind::Rectangle) continue;
        const layout::Pixels pixels = layout::pixelsOf(row.twips, dpi);
        RECT place{pixels.left, pixels.top, pixels.left + pixels.width, pixels.top + pixels.height};
        HBRUSH border = ::CreateSolidBrush(colorOf(row.text));
        HBRUSH fill = ::CreateSolidBrush(colorOf(row.background));
        ::FillRect(dc, &place, border);
        ::InflateRect(&place, -layout::kShapeBorderPixels, -layout::kShapeBorderPixels);
        ::FillRect(dc, &place, fill);
        ::DeleteObject(border);
        ::DeleteObject(fill);
    }
}

HBRUSH FormPainting::brushFor(const Colour& colour) {
    switch (colour.source) {
        case Colour::Source::Window:
            return ::GetSysColorBrush(COLOR_WINDOW);
        case Colour::Source::WindowText:
            return ::GetSysColorBrush(COLOR_WINDOWTEXT);
        case Colour::Source::Default:
            return nullptr;
        case Colour::Source::Rgb:
            break;
    }
    const COLORREF value = colorOf(colour);
    for (const auto& [made, brush] : brushes_) {
        if (made == value) return brush;
    }
    brushes_.emplace_back(value, ::CreateSolidBrush(value));
    return brushes_.back().second;
}

LRESULT FormPainting::colourStatic(const layout::Control* row, HDC dc, LRESULT systemBrush) {
    if (!row) return systemBrush;
    if (row->text.source != Colour::Source::Default) ::SetTextColor(dc, colorOf(row->text));
    if (row->background.source == Colour::Source::Default) return systemBrush;
    ::SetBkColor(dc, colorOf(row->background));
    return reinterpret_cast<LRESULT>(brushFor(row->background));
}

}  // namespace zonora
