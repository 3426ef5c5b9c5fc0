#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "ui/version.h"

// The main window's controls as designed, free of any toolkit: every front end
// builds its window from this one table.
namespace zonora::layout {

inline constexpr const char* kWindowName = "frmcnvt";
inline constexpr const char* kWindowCaption = kCaption;
inline constexpr int kClientWidthTwips = 5760;
inline constexpr int kClientHeightTwips = 3732;
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kPointsPerInch = 72;
inline constexpr int kDesignDpi = 96;  // the dots per inch the window was drawn at
inline constexpr const char* kFontFace = "MS Sans Serif";
inline constexpr int kShapeBorderPixels = 2;  // not scaled: the design gives pixels

enum class Kind {
    Frame,
    OptionButton,  // just the round button: a label beside it is its caption
    Label,         // caption centred, never takes the focus
    Button,
    TextField,   // one line, no length limit
    FileDialog,  // no place on screen; the platform's dialog stands for it
    Rectangle,   // a fill with a border in the text colour
};

// Left, top, width and height in twips, relative to the container.
struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Font {
    double points = 8.0;
    bool bold = false;
};
inline constexpr Font kDefaultFont{};

struct Colour {
    enum class Source {
        Default,     // whatever the toolkit gives that kind of control
        Rgb,         // fixed, whatever the user's colour scheme
        Window,      // the system's window (field) colour
        WindowText,  // the system's text colour on it
    };
    Source source = Source::Default;
    unsigned char red = 0;
    unsigned char green = 0;
    unsigned char blue = 0;

    constexpr bool operator==(const Colour&) const = default;
};
inline constexpr Colour rgb(unsigned char red, unsigned char green, unsigned char blue) {
    return {Colour::Source::Rgb, red, green, blue};
}
inline constexpr Colour kSystemWindow{Colour::Source::Window};
inline constexpr Colour kSystemWindowText{Colour::Source::WindowText};

inline constexpr int kNoTabIndex = -1;

struct Control {
    const char* name;
    Kind kind;
    const char* caption;
    Twips twips;
    const char* container = kWindowName;
    int tabIndex = kNoTabIndex;
    Font font = kDefaultFont;
    Colour background = {};
    Colour text = {};  // for a rectangle, its border
    // The label whose caption names this control for screen readers, when
    // the control shows no caption of its own.
    const char* labelledBy = nullptr;
};

inline constexpr Colour kCaptionYellow = rgb(255, 255, 128);
inline constexpr Colour kPanelSilver = rgb(192, 192, 192);

// From the top of the stacking order to the bottom, as designed. The tab
// index, not this order, gives the keyboard order.
inline constexpr std::array kControls{
    Control{"Frd", Kind::Frame, "Direction", {396, 2808, 1560, 876}, kWindowName, 10},
    Control{"Optp2m",
            Kind::OptionButton,
            "",
            {144, 540, 192, 192},
            "Frd",
            12,
            kDefaultFont,
            {},
            {},
            "Label6"},
    Control{"Optm2p",
            Kind::OptionButton,
            "",
            {144, 252, 192, 192},
            "Frd",
            11,
            kDefaultFont,
            {},
            {},
            "Label5"},
    Control{"Label6",
            Kind::Label,
            "PDB to Map",
            {360, 540, 1092, 228},
            "Frd",
            14,
            kDefaultFont,
            kSystemWindow,
            kSystemWindowText},
    Control{"Label5",
            Kind::Label,
            "Map to PDB",
            {360, 252, 1092, 228},
            "Frd",
            13,
            kDefaultFont,
            kSystemWindow,
            kSystemWindowText},
    Control{"Cmdexit", Kind::Button, "Exit", {4608, 2952, 804, 444}, kWindowName, 4, {12.0}},
    Control{
        "cmdcvt", Kind::Button, "Convert", {2340, 2952, 1956, 444}, kWindowName, 3, {13.8, true}},
    Control{"tbp",
            Kind::TextField,
            "",
            {324, 2304, 5088, 264},
            kWindowName,
            7,
            kDefaultFont,
            {},
            {},
            "Label3"},
    Control{
        "cmdbrp", Kind::Button, "Select Druma PDB file", {3132, 1944, 2244, 264}, kWindowName, 2},
    Control{"cd", Kind::FileDialog, "", {}},
    Control{"Cmdbrm", Kind::Button, "Select Tesk Map file", {3132, 864, 2244, 264}, kWindowName, 1},
    Control{"tbm",
            Kind::TextField,
            "",
            {288, 1224, 5088, 264},
            kWindowName,
            0,
            kDefaultFont,
            {},
            {},
            "Label1"},
    Control{"Label4", Kind::Label, kVersionLabel, {5076, 360, 552, 192}, kWindowName, 9},
    Control{"Label3",
            Kind::Label,
            "Palm File to convert/create",
            {360, 1980, 2172, 228},
            kWindowName,
            8,
            kDefaultFont,
            kCaptionYellow},
    Control{"Label2",
            Kind::Label,
            "Druma Zonora",
            {936, 36, 4044, 516},
            kWindowName,
            6,
            {18.0},
            rgb(224, 224, 224),
            rgb(0, 0, 0)},
    Control{"Label1",
            Kind::Label,
            "Map file to convert/create",
            {360, 900, 2136, 228},
            kWindowName,
            5,
            kDefaultFont,
            kCaptionYellow},
    Control{"Shape1",
            Kind::Rectangle,
            "",
            {144, 792, 5412, 876},
            kWindowName,
            kNoTabIndex,
            kDefaultFont,
            kPanelSilver,
            kSystemWindowText},
    Control{"Shape2",
            Kind::Rectangle,
            "",
            {144, 1836, 5412, 912},
            kWindowName,
            kNoTabIndex,
            kDefaultFont,
            kPanelSilver,
            kSystemWindowText},
};

constexpr bool takesFocus(Kind kind) {
    return kind == Kind::TextField || kind == Kind::Button || kind == Kind::OptionButton;
}

// The row of a control; a name not in the table does not compile where the
// call is a constant expression.
constexpr const Control& control(std::string_view name) {
    for (const Control& c : kControls) {
        if (name == c.name) return c;
    }
    throw std::out_of_range("no such control");
}

// What a screen reader calls the control: its own caption, or that of the
// label that names it.
constexpr const char* accessibleName(const Control& c) {
    return c.labelledBy ? control(c.labelledBy).caption : c.caption;
}

// Plain loops and iterator algorithms: Emscripten's standard library has no
// range algorithms.
inline constexpr auto kFocusCount = static_cast<std::size_t>(std::count_if(
    kControls.begin(), kControls.end(), [](const Control& c) { return takesFocus(c.kind); }));

// The controls that take the focus, in keyboard order.
inline constexpr std::array<const Control*, kFocusCount> kTabOrder = [] {
    std::array<const Control*, kFocusCount> order{};
    std::size_t next = 0;
    for (const Control& c : kControls) {
        if (takesFocus(c.kind)) order[next++] = &c;
    }
    for (std::size_t i = 1; i < order.size(); ++i) {  // by tab index
        for (std::size_t j = i; j > 0 && order[j]->tabIndex < order[j - 1]->tabIndex; --j) {
            const Control* moved = order[j];
            order[j] = order[j - 1];
            order[j - 1] = moved;
        }
    }
    return order;
}();

// Nothing the keyboard reaches goes unnamed for a screen reader.
static_assert(std::none_of(kTabOrder.begin(), kTabOrder.end(),
                           [](const Control* c) { return *accessibleName(*c) == '\0'; }));

// Nearest whole pixel at the given dots per inch.
constexpr int twipsToPixels(int twips, int dpi) {
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

struct Pixels {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr Pixels pixelsOf(const Twips& twips, int dpi) {
    return {twipsToPixels(twips.left, dpi), twipsToPixels(twips.top, dpi),
            twipsToPixels(twips.width, dpi), twipsToPixels(twips.height, dpi)};
}

// Fitting a caption: a face standing in for MS Sans Serif (under Wine, or on
// Linux) is wider than the one the window was drawn with, so a caption that
// would not fit whole on one line is set in quarter points smaller, down to
// a floor. A button keeps some pixels for its edges and focus rectangle; a
// frame keeps its caption in its top half, clear of the corners.
inline constexpr double kFontStep = 0.25;
inline constexpr double kSmallestPoints = 5.0;
inline constexpr int kButtonMarginX = 3;  // pixels at kDesignDpi, on each side
inline constexpr int kButtonMarginY = 2;
inline constexpr int kFrameCaptionMargin = 8;

struct Room {
    int width = 0;
    int height = 0;
};

// The room a caption has inside a control of the given size in pixels.
constexpr Room captionRoom(Kind kind, int width, int height, int dpi) {
    const auto scaled = [dpi](int pixels) { return (pixels * dpi + kDesignDpi / 2) / kDesignDpi; };
    switch (kind) {
        case Kind::Button:
            return {width - 2 * scaled(kButtonMarginX), height - 2 * scaled(kButtonMarginY)};
        case Kind::Frame:
            return {width - 2 * scaled(kFrameCaptionMargin), height / 2};
        default:
            return {width, height};
    }
}

// The largest size from the designed one down, in steps, at which
// fits(points) holds; the floor when none does.
template <typename Fits>
double fittingPoints(double designed, Fits fits) {
    double points = designed;
    while (!fits(points) && points - kFontStep >= kSmallestPoints) points -= kFontStep;
    return points;
}

}  // namespace zonora::layout
