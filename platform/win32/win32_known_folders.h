#pragma once

#include <string>

namespace zonora {

// Where 32-bit programs are installed, such as C:\Program Files (x86); empty
// when the system has no such folder.
std::string programFilesX86Folder();

}  // namespace zonora
