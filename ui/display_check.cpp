#include "ui/display_check.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace zonora {
namespace {

QtMessageHandler previousHandler = nullptr;

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// Start-up chatter about the display is replaced by the one line; a fatal
// message (no platform could be opened) ends the program with it.
void startHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        const std::string display = variable("DISPLAY");
        std::fprintf(stderr, "zonora: cannot open the display%s%s; the window needs a desktop.\n",
                     display.empty() ? "" : " ", display.c_str());
        std::fflush(stderr);
        std::_Exit(kNoDisplayStatus);
    }
    const QString category = QString::fromLatin1(context.category ? context.category : "");
    if (category.startsWith(QStringLiteral("qt.qpa"))) return;
    if (previousHandler != nullptr) previousHandler(type, context, message);
}

}  // namespace

DisplayEnvironment displayEnvironment() {
    return {variable("QT_QPA_PLATFORM"), variable("DISPLAY"), variable("WAYLAND_DISPLAY")};
}

std::optional<std::string> noDisplayReason(const DisplayEnvironment& environment) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
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

DisplayStartGuard::DisplayStartGuard() { previousHandler = qInstallMessageHandler(startHandler); }

DisplayStartGuard::~DisplayStartGuard() { qInstallMessageHandler(previousHandler); }

}  // namespace zonora
