#pragma once

#include <optional>
#include <string>

namespace zonora {

// The environment as far as reaching a display goes.
struct DisplayEnvironment {
    std::string qpaPlatform;     // QT_QPA_PLATFORM: a chosen platform needs no display here
    std::string x11Display;      // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
};

DisplayEnvironment displayEnvironment();

// The one line to print when there is plainly no display to open the window
// on; nothing when there may be one.
std::optional<std::string> noDisplayReason(const DisplayEnvironment& environment);

inline constexpr int kNoDisplayStatus = 1;

}  // namespace zonora
