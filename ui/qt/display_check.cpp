#include "ui/qt/display_check.h"

#include "platform/environment.h"

namespace zonora {

DisplayEnvironment displayEnvironment() {
    return {environmentVariable("QT_QPA_PLATFORM"), environmentVariable("DISPLAY"),
            environmentVariable("WAYLAND_DISPLAY")};
}

std::optional<std::string> noDisplayReason(const DisplayEnvironment& environment) {
    if (environment.qpaPlatform.empty() && environment.x11Display.empty() &&
        environment.waylandDisplay.empty()) {
        return "zonora: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); "
               "the window needs a desktop.";
    }
    return std::nullopt;
}

}  // namespace zonora
