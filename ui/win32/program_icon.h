#pragma once

#include <windows.h>

namespace zonora {

// The program's icon at the system's size for the metrics given (SM_CXICON,
// SM_CYICON or the small ones): the first icon group among the program's
// resources, whatever its name; null without one.
HICON programIcon(HINSTANCE instance, int metricX, int metricY);

}  // namespace zonora
