#pragma once

#include <string>

namespace zonora {

// The name proposed for the file a conversion writes, made from the path of
// the other file: that path less its last three characters, then the
// extension ("MAP" or "PDB"). Characters, not bytes, are counted. A path
// shorter than three characters raises error 5.
std::string proposedName(const std::string& otherPath, const std::string& extension);

}  // namespace zonora
