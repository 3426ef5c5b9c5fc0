#include "ui/win32/fonts.h"

#include <cmath>
#include <string>

#include "platform/win32/win32_text.h"

namespace zonora {
namespace {

bool fits(HDC dc, const std::wstring& caption, HFONT font, layout::Room room) {
    const HGDIOBJ previous = ::SelectObject(dc, font);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, previous);
    return extent.cx <= room.width && metrics.tmHeight <= room.height;
}

}  // namespace

HFONT createFont(const layout::Font& font, int dpi) {
    const auto height = static_cast<int>(std::lround(font.points * dpi / layout::kPointsPerInch));
    return ::CreateFontW(-height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_SWISS, widen(layout::kFontFace).c_str());
}

FormFonts::~FormFonts() { clear(); }

FormFonts& FormFonts::operator=(FormFonts&& other) noexcept {
    if (this != &other) {
        clear();
        fonts_ = std::move(other.fonts_);
        other.fonts_.clear();
    }
    return *this;
}

HFONT FormFonts::fontFor(HDC dc, const layout::Control& control, HWND window, int dpi) {
    layout::Font font = control.font;
    if (*control.caption != '\0') {
        const std::wstring caption = widen(control.caption);
        RECT client;
        ::GetClientRect(window, &client);
        const layout::Room room =
            layout::captionRoom(control.kind, client.right, client.bottom, dpi);
        font.points = layout::fittingPoints(control.font.points, [&](double points) {
            return fits(dc, caption, made({points, font.bold}, dpi), room);
        });
    }
    return made(font, dpi);
}

// A font is made once for the set and measured with as it is, since making
// one costs more than anything else the window does at start.
HFONT FormFonts::made(const layout::Font& font, int dpi) {
    for (const auto& [kept, handle] : fonts_) {
        if (kept.points == font.points && kept.bold == font.bold) return handle;
    }
    fonts_.emplace_back(font, createFont(font, dpi));
    return fonts_.back().second;
}

void FormFonts::clear() {
    for (const auto& [made, handle] : fonts_) ::DeleteObject(handle);
    fonts_.clear();
}

}  // namespace zonora
