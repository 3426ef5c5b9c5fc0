#include "ui/cli/stream_terminal.h"

#include <istream>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace zonora {

std::optional<std::string> StreamTerminal::readLine() {
    std::string line;
    if (!std::getline(in_, line)) return std::nullopt;
    if (line.ends_with('\r')) line.pop_back();
    return line;
}

bool standardInputIsTerminal() {
#ifdef _WIN32
    return false;
#else
    return ::isatty(STDIN_FILENO) == 1;
#endif
}

}  // namespace zonora
