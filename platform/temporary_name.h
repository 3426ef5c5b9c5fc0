#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zonora {

// Starts the name of every temporary file a replacement is built in, so that
// one left behind by a crash can be told apart from the user's files.
inline constexpr const char* kTemporaryPrefix = ".zonora-";

// The name (no folder) of the temporary file a replacement of targetName is built in:
// kTemporaryPrefix + as much of targetName as fits + uniqueTail, never longer than
// nameLimit bytes; targetName is cut only between UTF-8 characters.
// A limit too small for the prefix and the tail alone gives just those two,
// and the file system then refuses the name as too long.
std::string temporaryFileName(std::string_view targetName, std::string_view uniqueTail,
                              std::size_t nameLimit);

}  // namespace zonora
