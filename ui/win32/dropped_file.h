#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <optional>
#include <string>

namespace zonora {

// The path of a drop of exactly one file; several at once are refused. The
// drop is finished either way. The shell, which hands drops over, is loaded
// by the first drop, not at start.
std::optional<std::string> takeDroppedFile(HDROP drop);

}  // namespace zonora
