#pragma once

#include <string>
#include <string_view>

namespace zonora {

// The PDB file's name without its folder and its last four characters (taken
// to be an extension). Both '\' and '/' separate folders; characters, not
// bytes, are counted. Raises error 5 for a name shorter than four characters.
std::string BaseName(std::string_view pdbPath);

}  // namespace zonora
