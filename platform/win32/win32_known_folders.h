#pragma once

#include <string>

namespace zonora {

// Where 32-bit programs are installed, as Windows tells this program: on
// 64-bit Windows C:\Program Files (x86), to 32-bit and 64-bit programs alike;
// on 32-bit Windows C:\Program Files itself. Empty when the system names no
// such folder.
std::string programFilesX86Folder();

}  // namespace zonora
