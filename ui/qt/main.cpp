#include <QApplication>
#include <csignal>
#include <cstdio>
#include <optional>

#include "convert/conversion.h"
#include "platform/install_tool.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/unix_template_locator.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_message_box.h"
#include "ui/display_check.h"
#include "ui/form_handlers.h"
#include "ui/qt/display_guard.h"
#include "ui/qt/frmcnvt.h"

int main(int argc, char* argv[]) {
    using namespace zonora;
    // A file-size limit then fails the write, which is reported, instead of
    // killing the program.
    std::signal(SIGXFSZ, SIG_IGN);

    if (const auto reason = noDisplayReason(displayEnvironment())) {
        std::fprintf(stderr, "%s\n", reason->c_str());
        return kNoDisplayStatus;
    }
    std::optional<DisplayStartGuard> guard(std::in_place);
    QApplication app(argc, argv);
    guard.reset();
    QGuiApplication::setDesktopFileName(QStringLiteral("zonora"));

    frmcnvt window;
    QtMessageBox box(&window);
    QtFileDialog cd(&window);
    PosixFileSystem files;
    QtClock clock;
    UnixTemplateLocator templates(unixDataFoldersFromEnvironment());
    AbsentInstallTool installTool;  // the Palm Install Tool exists only on Windows
    ConversionServices services{files, box, clock, templates, installTool};
    FormHandlers handlers(window, services, cd, [] { QCoreApplication::quit(); });
    window.forwardTo(handlers);
    window.show();
    return QApplication::exec();
}
