#pragma once

#include <string>

#include "platform/file_system.h"
#include "ui/cli/command_line.h"

namespace zonora {

// As cmp and diff give them.
inline constexpr int kTablesEqual = 0;
inline constexpr int kTablesDiffer = 1;
inline constexpr int kDiffTrouble = 2;

// `zonora diff A B`: A and B each a PDB or a Map file (told apart as the
// window tells a file opened), read as the conversions read them. Lists each
// zone that differs on standard output, then their count. A file the
// conversion would refuse gets its report on standard error, and so does a
// note on a Map with fewer than 256 values, whose missing zones count as 0.
int runDiff(const std::string& first, const std::string& second, FileSystem& files,
            Console& console);

}  // namespace zonora
