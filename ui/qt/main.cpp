#include <QApplication>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "convert/conversion.h"
#include "platform/posix/posix_data_output.h"
#include "platform/posix/posix_services.h"
#include "platform/posix/posix_standard_input.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_message_box.h"
#include "ui/cli/command_line.h"
#include "ui/cli/program_start.h"
#include "ui/cli/stream_terminal.h"
#include "ui/form_handlers.h"
#include "ui/qt/display_check.h"
#include "ui/qt/display_guard.h"
#include "ui/qt/frmcnvt.h"

namespace {

// The command line needs no display: no QApplication is made for it.
int runCommand(const std::vector<std::string>& arguments, const zonora::SystemServices& system) {
    using namespace zonora;
    StreamTerminal terminal(std::cin);
    PosixDataOutput data;
    PosixStandardInput input;
    Console console{std::cout, std::cerr, standardInputIsTerminal() ? &terminal : nullptr, &data,
                    &input};
    return runCommandLine(arguments, system, console);
}

int runWindow(int argc, char* argv[], const std::string& file,
              const zonora::SystemServices& system) {
    using namespace zonora;
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
    ConversionServices services = withBox(system, box);
    FormHandlers handlers(window, services, cd, [] { QCoreApplication::quit(); });
    window.forwardTo(handlers);
    if (!file.empty()) handlers.openFile(file);  // named at start, by a file manager say
    window.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace zonora;
    // A file-size limit, or a reader that quits early, then fails the write,
    // which is reported, instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);

    QtClock clock;
    PosixSystemServices system(clock);
    const ProgramStart start = programStart({argv, argv + argc});
    switch (start.action) {
        case ProgramStart::Action::Command:
            return runCommand(start.arguments, system.services());
        case ProgramStart::Action::UsageError:
            std::cerr << usageReport(start.problem) << std::flush;
            return kUsageError;
        case ProgramStart::Action::Window:
            break;
    }
    return runWindow(argc, argv, start.file, system.services());
}
