#pragma once

#include <optional>

namespace zonora {

// Windows: when the program's arguments are a command, runs the command line
// on the console of the program that started it (when there is one, else on
// the inherited handles) with the window's services, and gives the exit
// status. Nothing when the arguments are for the window.
std::optional<int> runConsoleCommand();

}  // namespace zonora
