#include "ui/qt/display_guard.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

#include "ui/qt/display_check.h"

namespace zonora {
namespace {

QtMessageHandler previousHandler = nullptr;

// Start-up chatter about the display is replaced by the one line; a fatal
// message (no platform could be opened) ends the program with it.
void startHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        const std::string display = displayEnvironment().x11Display;
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

DisplayStartGuard::DisplayStartGuard() { previousHandler = qInstallMessageHandler(startHandler); }

DisplayStartGuard::~DisplayStartGuard() { qInstallMessageHandler(previousHandler); }

}  // namespace zonora
