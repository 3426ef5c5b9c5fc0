#pragma once

#include <windows.h>

namespace zonora {

class frmcnvt;

// One message through the window's keyboard handling (Tab, Shift+Tab, arrows,
// Enter) or to its window; a failure a handler met is thrown on from here.
void deliver(frmcnvt& window, MSG& message);

// Runs until the program is told to end; gives the exit code.
int runMessageLoop(frmcnvt& window);

}  // namespace zonora
