#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "ui/cli/command_line.h"

namespace zonora {

inline constexpr int kConvertsUnasked = 0;
inline constexpr int kWouldNotConvertUnasked = 1;

// `zonora check`: reads each Map file as to-pdb does and reports on standard
// output what that conversion would pass over or change without a word, each
// word that would stop it, and the count of values. An unreadable file gets
// the conversion's error report on standard error. kConvertsUnasked when
// every file would convert whole and without a question.
int runCheck(const std::vector<std::string>& maps, FileSystem& files, Console& console);

}  // namespace zonora
