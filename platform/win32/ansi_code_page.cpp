#include <windows.h>

#include "platform/text_encoding.h"

namespace zonora {

// Placeholder until the Win32 text conversion lands: the same table as elsewhere.
std::string toAnsi(std::string_view utf8) { return toWindows1252(utf8); }

}  // namespace zonora
