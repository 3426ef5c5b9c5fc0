#include "platform/qt/qt_process_starter.h"

#include <QProcess>
#include <QString>

#include "platform/runtime_error.h"

namespace zonora {

void QtProcessStarter::start(const std::string& commandLine) {
    // The command line is handed over whole, as the Windows shell would get it.
    QStringList arguments = QProcess::splitCommand(QString::fromStdString(commandLine));
    if (arguments.isEmpty()) throw RuntimeError(errors::kInvalidCall);
    const QString program = arguments.takeFirst();
    if (!QProcess::startDetached(program, arguments)) {
        throw RuntimeError(errors::kFileNotFound, "File not found: " + program.toStdString());
    }
}

}  // namespace zonora
