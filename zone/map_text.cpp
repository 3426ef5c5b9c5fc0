#include "zone/map_text.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "platform/text_encoding.h"

namespace zonora {
namespace {

constexpr std::size_t kReadChunk = 64 * 1024;
// Decoded text is handed on in slices of about this many bytes, so that it
// stays small beside the read buffer.
constexpr std::size_t kDecodedSlice = 1024;
constexpr char32_t kHighSurrogates = 0xD800;
constexpr char32_t kLowSurrogates = 0xDC00;
constexpr char32_t kSurrogatesEnd = 0xE000;
constexpr char kUnknown = '?';  // what the ANSI save writes for a character it cannot hold

std::uint8_t byteAt(const std::vector<char>& bytes, std::size_t i) {
    return static_cast<std::uint8_t>(bytes[i]);
}

}  // namespace

MapTextReader::MapTextReader(InputFile& file) : file_(file), raw_(kReadChunk) {
    // The mark has two bytes, and a read may give them one at a time.
    while (rawSize_ < 2 && refill()) {
    }
    if (rawSize_ < 2) return;
    const std::uint8_t first = byteAt(raw_, 0);
    const std::uint8_t second = byteAt(raw_, 1);
    if (first == 0xFF && second == 0xFE) {
        encoding_ = Encoding::Utf16LittleEndian;
    } else if (first == 0xFE && second == 0xFF) {
        encoding_ = Encoding::Utf16BigEndian;
    } else {
        return;
    }
    rawDone_ = 2;
}

// Appends the next bytes of the file to those not yet taken; false at its end.
bool MapTextReader::refill() {
    if (atEnd_) return false;
    const std::size_t kept = rawSize_ - rawDone_;
    std::copy(raw_.begin() + static_cast<std::ptrdiff_t>(rawDone_),
              raw_.begin() + static_cast<std::ptrdiff_t>(rawSize_), raw_.begin());
    rawDone_ = 0;
    rawSize_ = kept;
    const std::size_t n = file_.read(std::span(raw_).subspan(kept));
    rawSize_ += n;
    atEnd_ = n == 0;
    return !atEnd_;
}

std::string_view MapTextReader::next() {
    if (encoding_ != Encoding::Bytes) return decodeUtf16();
    if (rawDone_ == rawSize_ && !refill()) return {};
    const std::string_view piece(raw_.data() + rawDone_, rawSize_ - rawDone_);
    rawDone_ = rawSize_;
    return piece;
}

std::string_view MapTextReader::decodeUtf16() {
    const bool little = encoding_ == Encoding::Utf16LittleEndian;
    do {
        utf8_.clear();
        while (utf8_.size() < kDecodedSlice) {
            if (rawSize_ - rawDone_ < 2 && !refill()) break;
            if (rawSize_ - rawDone_ < 2) continue;
            const std::uint8_t a = byteAt(raw_, rawDone_);
            const std::uint8_t b = byteAt(raw_, rawDone_ + 1);
            rawDone_ += 2;
            appendUnit(little ? char32_t(a | b << 8) : char32_t(a << 8 | b));
        }
        if (atEnd_) {
            // A half character at the end is no text.
            if (highSurrogate_ != 0) utf8_.push_back(kUnknown);
            if (rawDone_ < rawSize_) utf8_.push_back(kUnknown);
            highSurrogate_ = 0;
            rawDone_ = rawSize_;
        }
        if (utf8_.empty()) return {};
        ansi_ = toAnsi(utf8_);
    } while (ansi_.empty());
    return ansi_;
}

void MapTextReader::appendUnit(char32_t unit) {
    const bool high = unit >= kHighSurrogates && unit < kLowSurrogates;
    const bool low = unit >= kLowSurrogates && unit < kSurrogatesEnd;
    if (highSurrogate_ != 0) {
        const char32_t pending = highSurrogate_;
        highSurrogate_ = 0;
        if (low) {
            appendUtf8(utf8_,
                       0x10000 + ((pending - kHighSurrogates) << 10) + (unit - kLowSurrogates));
            return;
        }
        utf8_.push_back(kUnknown);
    }
    if (high) {
        highSurrogate_ = unit;
    } else if (low) {
        utf8_.push_back(kUnknown);
    } else {
        appendUtf8(utf8_, unit);
    }
}

}  // namespace zonora
