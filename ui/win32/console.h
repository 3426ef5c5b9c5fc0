#pragma once

#include "platform/system_services.h"
#include "ui/cli/program_start.h"

namespace zonora {

// Windows: runs a command, or reports a usage error, on the console of the
// program that started this one (when there is one, else on the inherited
// handles), and gives the exit status. With nowhere to write, a usage error
// is shown in a message box instead.
int runOnConsole(const ProgramStart& start, const SystemServices& services);

}  // namespace zonora
