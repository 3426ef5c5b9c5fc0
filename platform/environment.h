#pragma once

#include <string>

namespace zonora {

// The value of an environment variable; empty when it is not set.
std::string environmentVariable(const char* name);

}  // namespace zonora
