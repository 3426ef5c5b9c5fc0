#include "platform/temporary_name.h"

#include "platform/text_encoding.h"

namespace zonora {

std::string temporaryFileName(std::string_view targetName, std::string_view uniqueTail,
                              std::size_t nameLimit) {
    const std::string_view prefix = kTemporaryPrefix;
    const std::size_t fixed = prefix.size() + uniqueTail.size();
    std::size_t room = nameLimit > fixed ? nameLimit - fixed : 0;
    std::string name(prefix);
    // Whole characters only: half a character would make a name that is not
    // valid UTF-8, which some file systems refuse.
    for (const std::string_view character : splitCharacters(targetName)) {
        if (character.size() > room) break;
        name += character;
        room -= character.size();
    }
    name += uniqueTail;
    return name;
}

}  // namespace zonora
