#include "ui/display_check.h"

#include <cstdlib>

namespace zonora {
namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

DisplayEnvironment displayEnvironment() {
    return {variable("QT_QPA_PLATFORM"), variable("DISPLAY"), variable("WAYLAND_DISPLAY")};
}

std::optional<std::string> noDisplayReason(const DisplayEnvironment& environment) {
#if defined(__unix__) && !defined(__APPLE__)
    if (environment.qpaPlatform.empty() && environment.x11Display.empty() &&
        environment.waylandDisplay.empty()) {
        return "zonora: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); "
               "the window needs a desktop.";
    }
#else
    (void)environment;
#endif
    return std::nullopt;
}

}  // namespace zonora
