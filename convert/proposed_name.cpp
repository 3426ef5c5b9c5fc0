#include "convert/proposed_name.h"

#include "platform/text_encoding.h"

namespace zonora {
namespace {
constexpr std::size_t kReplacedLength = 3;
}

std::string proposedName(const std::string& otherPath, const std::string& extension) {
    return withoutLastCharacters(otherPath, kReplacedLength) + extension;
}

}  // namespace zonora
