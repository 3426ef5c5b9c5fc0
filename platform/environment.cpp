#include "platform/environment.h"

#include <cstdlib>

namespace zonora {

std::string environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

}  // namespace zonora
