#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zonora {

// Paths and texts are UTF-8 inside the program. A byte that is not part of a
// valid UTF-8 sequence counts as one character of its own.
std::vector<std::string_view> splitCharacters(std::string_view utf8);

// The code point of one character from splitCharacters; nothing for a byte
// that is not part of a valid sequence.
std::optional<char32_t> codePointOf(std::string_view character);

// Appends one code point, encoded as UTF-8.
void appendUtf8(std::string& text, char32_t c);

// The text less its last count characters, as the classic Left(s, Len(s) - n)
// does: error 5 (invalid procedure call) when it has fewer than count.
std::string withoutLastCharacters(std::string_view utf8, std::size_t count);

// Locale data may put special blanks into dates and times ("2:00:33\u202FPM",
// U+00A0); the Map file is single-byte text, so they become ordinary blanks.
std::string withPlainBlanks(std::string_view utf8);

// Windows-1252, one byte a character; a character outside it becomes '?'.
std::string toWindows1252(std::string_view utf8);

// The system's ANSI code page, in which the files hold their text: the one
// Windows is set to, and Windows-1252 (that of English systems) elsewhere.
// Each system's platform library defines it.
std::string toAnsi(std::string_view utf8);

}  // namespace zonora
