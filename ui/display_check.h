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

// While alive, a toolkit failure to reach the display prints one line and
// ends the program with status 1 instead of aborting it.
class DisplayStartGuard {
  public:
    DisplayStartGuard();
    ~DisplayStartGuard();
    DisplayStartGuard(const DisplayStartGuard&) = delete;
    DisplayStartGuard& operator=(const DisplayStartGuard&) = delete;
};

inline constexpr int kNoDisplayStatus = 1;

}  // namespace zonora
