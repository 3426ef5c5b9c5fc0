#pragma once

#include <string>
#include <string_view>

namespace zonora {

// Paths and texts are UTF-16 at the Win32 API and UTF-8 inside the program.
// Invalid sequences become U+FFFD either way.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace zonora
