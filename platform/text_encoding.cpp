#include "platform/text_encoding.h"

#include <array>
#include <cstdint>

#include "platform/runtime_error.h"

namespace zonora {
namespace {

// Length of the valid UTF-8 sequence starting at s[i], or 0 if there is none.
std::size_t sequenceLength(std::string_view s, std::size_t i, char32_t& codePoint) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(s[k]); };
    const std::uint8_t lead = byte(i);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > s.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        value = (value << 6) | (byte(i + k) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    codePoint = value;
    return length;
}

// Code points of bytes 0x80 to 0x9F; 0 marks a byte with no character.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ansiByte(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    for (std::size_t k = 0; k < kHighControls.size(); ++k) {
        if (kHighControls[k] != 0 && kHighControls[k] == codePoint) {
            return static_cast<char>(0x80 + k);
        }
    }
    return '?';
}

}  // namespace

std::vector<std::string_view> splitCharacters(std::string_view utf8) {
    std::vector<std::string_view> characters;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t ignored = 0;
        const std::size_t length = sequenceLength(utf8, i, ignored);
        const std::size_t taken = length == 0 ? 1 : length;
        characters.push_back(utf8.substr(i, taken));
        i += taken;
    }
    return characters;
}

std::optional<char32_t> codePointOf(std::string_view character) {
    char32_t codePoint = 0;
    if (character.empty() || sequenceLength(character, 0, codePoint) != character.size()) {
        return std::nullopt;
    }
    return codePoint;
}

std::string withoutLastCharacters(std::string_view utf8, std::size_t count) {
    const auto characters = splitCharacters(utf8);
    if (characters.size() < count) throw RuntimeError(errors::kInvalidCall);
    std::string kept;
    for (std::size_t i = 0; i + count < characters.size(); ++i) kept.append(characters[i]);
    return kept;
}

void appendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (c >> 6)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        text.push_back(static_cast<char>(0xE0 | (c >> 12)));
        text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        text.push_back(static_cast<char>(0xF0 | (c >> 18)));
        text.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string withPlainBlanks(std::string_view utf8) {
    std::string result;
    for (const std::string_view character : splitCharacters(utf8)) {
        const auto c = codePointOf(character);
        if (c == U'\u202F' || c == U'\u00A0') {
            result += ' ';
        } else {
            result += character;
        }
    }
    return result;
}

std::string toWindows1252(std::string_view utf8) {
    std::string ansi;
    ansi.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t codePoint = 0;
        const std::size_t length = sequenceLength(utf8, i, codePoint);
        ansi.push_back(length == 0 ? '?' : ansiByte(codePoint));
        i += length == 0 ? 1 : length;
    }
    return ansi;
}

}  // namespace zonora
