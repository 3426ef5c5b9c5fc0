#include <QApplication>
#include <QFile>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "convert/conversion.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/unix_template_locator.h"
#include "platform/posix/wine_install_tool.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_message_box.h"
#include "ui/cli/command_line.h"
#include "ui/cli/stream_terminal.h"
#include "ui/display_check.h"
#include "ui/form_handlers.h"
#include "ui/qt/display_guard.h"
#include "ui/qt/frmcnvt.h"

namespace {

// What the window and the command line reach the system through alike.
struct SystemServices {
    zonora::PosixFileSystem files;
    zonora::QtClock clock;
    zonora::UnixTemplateLocator templates{zonora::unixDataFoldersFromEnvironment()};
    // HotSync lives in a Wine prefix here.
    zonora::WineInstallTool installTool{zonora::winePrefixFromEnvironment()};
};

// The command line needs no display: no QApplication is made for it.
int runCommand(const std::vector<std::string>& arguments) {
    using namespace zonora;
    SystemServices system;
    CommandLineServices services{system.files, system.clock, system.templates, system.installTool};
    StreamTerminal terminal(std::cin);
    Console console{std::cout, std::cerr, standardInputIsTerminal() ? &terminal : nullptr};
    return runCommandLine(arguments, services, console);
}

// The field shows where the file is, whatever folder the program started in.
std::string absolutePath(const std::string& path) {
    std::error_code failed;
    const auto absolute = std::filesystem::absolute(path, failed);
    return failed ? path : absolute.string();
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace zonora;
    // A file-size limit then fails the write, which is reported, instead of
    // killing the program.
    std::signal(SIGXFSZ, SIG_IGN);

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (isCommand(arguments)) return runCommand(arguments);

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
    SystemServices system;
    ConversionServices services{system.files, box, system.clock, system.templates,
                                system.installTool};
    FormHandlers handlers(window, services, cd, [] { QCoreApplication::quit(); });
    window.forwardTo(handlers);
    // A file named at start, by a file manager say; Qt has taken its own options out.
    const QStringList rest = QCoreApplication::arguments().mid(1);
    if (!rest.isEmpty())
        window.openFile(absolutePath(QFile::encodeName(rest.front()).toStdString()));
    window.show();
    return QApplication::exec();
}
