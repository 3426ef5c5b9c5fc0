#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace zonora {

// The text of a Map file, piece by piece in bounded memory: the bytes as they
// are, except after a UTF-16 byte-order mark (either order, as Notepad saves
// "Unicode"), where the text is decoded and put in the system's ANSI code
// page, so that it reads as the same text saved as ANSI.
class MapTextReader {
  public:
    explicit MapTextReader(InputFile& file);
    // The next piece; empty at the end of the file.
    std::string_view next();

  private:
    enum class Encoding { Bytes, Utf16LittleEndian, Utf16BigEndian };

    bool refill();
    std::string_view decodeUtf16();
    void appendUnit(char32_t unit);

    InputFile& file_;
    std::vector<char> raw_;
    std::size_t rawSize_ = 0;
    std::size_t rawDone_ = 0;  // bytes of raw_ already taken
    bool atEnd_ = false;
    Encoding encoding_ = Encoding::Bytes;
    char32_t highSurrogate_ = 0;  // waiting for its low half
    std::string utf8_;
    std::string ansi_;
};

}  // namespace zonora
