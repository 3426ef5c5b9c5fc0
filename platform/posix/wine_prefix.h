#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zonora {

// The Wine prefix the user's Windows programs live in: WINEPREFIX, else
// ~/.wine; empty when neither can be told.
std::string winePrefixFromEnvironment();

// Finds a path below root whose components match relative ones ignoring case,
// as Windows does for the files a Wine prefix holds; only a file is found.
std::optional<std::string> findIgnoringCase(const std::string& root,
                                            const std::vector<std::string>& components);

}  // namespace zonora
