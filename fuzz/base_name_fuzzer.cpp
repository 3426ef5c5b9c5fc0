// BaseName on arbitrary paths, valid UTF-8 or not. Either error 5 for a name
// part under four characters, or the name part less its last four
// characters: a prefix of the name part, without separators, whose Windows
// text has one byte for each of its characters.
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/base_name.h"
#include "fuzz/fuzz_check.h"
#include "platform/runtime_error.h"
#include "platform/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view path(reinterpret_cast<const char*>(data), size);
    const std::size_t separator = path.find_last_of("\\/");
    const std::string_view name =
        separator == std::string_view::npos ? path : path.substr(separator + 1);

    // Splitting into characters loses and adds nothing.
    const auto characters = zonora::splitCharacters(name);
    std::string joined;
    for (const auto character : characters) {
        FUZZ_CHECK(!character.empty() && character.size() <= 4);
        joined.append(character);
    }
    FUZZ_CHECK(joined == name);

    std::string base;
    try {
        base = zonora::BaseName(path);
    } catch (const zonora::RuntimeError& error) {
        FUZZ_CHECK(error.number == zonora::errors::kInvalidCall);
        FUZZ_CHECK(characters.size() < 4);
        return 0;
    }
    FUZZ_CHECK(characters.size() >= 4);
    FUZZ_CHECK(name.starts_with(base));
    FUZZ_CHECK(base.find_first_of("\\/") == std::string::npos);
    const auto baseCharacters = zonora::splitCharacters(base);
    FUZZ_CHECK(baseCharacters.size() == characters.size() - 4);
    FUZZ_CHECK(zonora::splitCharacters(name.substr(base.size())).size() == 4);
    FUZZ_CHECK(zonora::toAnsi(base).size() == baseCharacters.size());
    return 0;
}
