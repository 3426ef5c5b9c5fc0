#include "convert/base_name.h"

#include "platform/runtime_error.h"
#include "platform/text_encoding.h"

namespace zonora {
namespace {
constexpr std::size_t kExtensionLength = 4;
}

std::string BaseName(std::string_view pdbPath) {
    const std::size_t separator = pdbPath.find_last_of("\\/");
    const std::string_view name =
        separator == std::string_view::npos ? pdbPath : pdbPath.substr(separator + 1);
    const auto characters = splitCharacters(name);
    if (characters.size() < kExtensionLength) throw RuntimeError(errors::kInvalidCall);
    std::string base;
    for (std::size_t i = 0; i + kExtensionLength < characters.size(); ++i) {
        base.append(characters[i]);
    }
    return base;
}

}  // namespace zonora
