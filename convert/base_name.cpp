#include "convert/base_name.h"

#include "platform/text_encoding.h"

namespace zonora {
namespace {
constexpr std::size_t kExtensionLength = 4;
}

std::string BaseName(std::string_view pdbPath) {
    const std::size_t separator = pdbPath.find_last_of("\\/");
    const std::string_view name =
        separator == std::string_view::npos ? pdbPath : pdbPath.substr(separator + 1);
    return withoutLastCharacters(name, kExtensionLength);
}

}  // namespace zonora
