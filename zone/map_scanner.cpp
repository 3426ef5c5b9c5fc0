#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/runtime_error.h"
#include "zone/map_file.h"
#include "zone/map_header.h"
#include "zone/map_text.h"

namespace zonora {
namespace {

bool skippedInsideWord(char c) { return c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal position of the leading significant digit of mantissa e exponent,
// to tell an overflow from an underflow when the value does not fit a double.
long long magnitude(std::string_view mantissa, long long exponent) {
    const std::size_t point = mantissa.find('.');
    const std::string_view integer = mantissa.substr(0, point);
    const std::size_t firstSignificant = integer.find_first_not_of('0');
    if (firstSignificant != std::string_view::npos) {
        return static_cast<long long>(integer.size() - firstSignificant) + exponent;
    }
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
    const std::size_t leadingZeros = fraction.find_first_not_of('0');
    return exponent - static_cast<long long>(leadingZeros);
}

class Scanner {
  public:
    Scanner(std::string_view path, MapScanObserver* observer) : path_(path), observer_(observer) {}

    void take(char c) {
        if (c == '\r') {
            endLine();
            afterCarriageReturn_ = true;
            return;
        }
        const bool partOfLineEnd = c == '\n' && afterCarriageReturn_;
        afterCarriageReturn_ = false;
        if (partOfLineEnd) return;
        if (c == '\n') {
            endLine();
            return;
        }
        ++lineLength_;
        if (line_.size() <= kLongestDataLine) line_.push_back(c);
    }

    ScannedMap finish() {
        if (lineLength_ > 0) endLine();
        return result_;
    }

  private:
    void endLine() {
        const bool first = lineNumber_++ == 0;
        const bool data = lineLength_ >= kShortestDataLine && lineLength_ <= kLongestDataLine;
        if (data && !(first && isMapHeader(line_))) {
            scanDataLine(line_);
        } else if (observer_ != nullptr) {
            observer_->linePassedOver(lineNumber_, lineLength_, line_);
        }
        line_.clear();
        lineLength_ = 0;
    }

    void scanDataLine(std::string_view line) {
        // Every blank ends a word, and empty words are passed over, so a line
        // that starts with a number keeps it without a blank put in front.
        for (std::size_t start = 0; start <= line.size();) {
            const std::size_t end = std::min(line.find(' ', start), line.size());
            if (end > start) store(line.substr(start, end - start));
            start = end + 1;
        }
    }

    void store(std::string_view word) {
        const double value = wordValue(word);
        if (!(value < 256.0)) {  // too large for a zone: passed over
            if (observer_ != nullptr) observer_->wordPassedOver({lineNumber_, word, value});
            return;
        }
        if (result_.count >= kZoneCount) {
            if (observer_ == nullptr) throw tooMany(word);
            if (result_.count++ == kZoneCount) {
                observer_->wordStops({lineNumber_, word, value}, tooMany(word));
            }
            return;
        }
        const double rounded = std::nearbyint(value);  // halves go to the even neighbour
        if (rounded < 0.0 || rounded > 255.0) {
            if (observer_ == nullptr) throw overflow(word);
            observer_->wordStops({lineNumber_, word, value}, overflow(word));
            ++result_.count;
            return;
        }
        const auto zone = static_cast<std::uint8_t>(rounded);
        if (observer_ != nullptr)
            observer_->wordTaken({lineNumber_, word, value}, result_.count, zone);
        result_.zones[result_.count++] = zone;
    }

    // The descriptions say where, so that a hand-edited file can be put right.
    RuntimeError tooMany(std::string_view word) const {
        return RuntimeError(errors::kSubscriptOutOfRange,
                            "Subscript out of range: more than 256 numbers in " + path_ +
                                "; the 257th is \"" + printableWord(word) + "\" on line " +
                                std::to_string(lineNumber_));
    }
    RuntimeError overflow(std::string_view word) const {
        return RuntimeError(errors::kOverflow, "Overflow: \"" + printableWord(word) +
                                                   "\" on line " + std::to_string(lineNumber_) +
                                                   " of " + path_ + " is outside 0 to 255");
    }

    std::string path_;
    MapScanObserver* observer_;
    ScannedMap result_;
    std::string line_;
    std::size_t lineLength_ = 0;
    std::size_t lineNumber_ = 0;
    bool afterCarriageReturn_ = false;
};

}  // namespace

double wordValue(std::string_view word) {
    std::string mantissa;
    std::string exponentDigits;
    bool negative = false;
    bool exponentNegative = false;
    enum class Stage { Sign, Integer, Fraction, ExponentSign, Exponent } stage = Stage::Sign;

    for (char c : word) {
        if (skippedInsideWord(c)) continue;
        if (stage == Stage::Sign && (c == '+' || c == '-')) {
            negative = c == '-';
            stage = Stage::Integer;
        } else if ((stage <= Stage::Fraction) && isDigit(c)) {
            mantissa.push_back(c);
            if (stage == Stage::Sign) stage = Stage::Integer;
        } else if (stage <= Stage::Integer && c == '.') {
            mantissa.push_back(c);
            stage = Stage::Fraction;
        } else if (stage <= Stage::Fraction && (c == 'e' || c == 'E' || c == 'd' || c == 'D')) {
            stage = Stage::ExponentSign;
        } else if (stage == Stage::ExponentSign && (c == '+' || c == '-')) {
            exponentNegative = c == '-';
            stage = Stage::Exponent;
        } else if (stage >= Stage::ExponentSign && isDigit(c)) {
            exponentDigits.push_back(c);
            stage = Stage::Exponent;
        } else {
            break;
        }
    }
    if (mantissa.find_first_of("0123456789") == std::string::npos) return 0.0;

    // Exponents beyond any double are capped; the value is infinite or zero then.
    long long exponent = 0;
    for (char d : exponentDigits) exponent = std::min(exponent * 10 + (d - '0'), 100000LL);
    if (exponentNegative) exponent = -exponent;

    // The point moves into the exponent, so that the text holds no character
    // a locale reads its own way; strtod then rounds it correctly everywhere.
    std::string digits = mantissa;
    long long shifted = exponent;
    if (const std::size_t point = mantissa.find('.'); point != std::string::npos) {
        digits.erase(point, 1);
        shifted -= static_cast<long long>(mantissa.size() - point - 1);
    }
    const std::string text = digits + "e" + std::to_string(shifted);
    double value = std::strtod(text.c_str(), nullptr);
    // Beyond a double: infinite, or zero where the digits are not.
    const bool zeroDigits = digits.find_first_not_of('0') == std::string::npos;
    if (std::isinf(value) || (value == 0.0 && !zeroDigits)) {
        value = magnitude(mantissa, exponent) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

std::string printableWord(std::string_view word) {
    std::string text;
    for (char c : word) text.push_back(c >= ' ' && c <= '~' ? c : '?');
    return text;
}

ScannedMap scanMapFile(InputFile& map, std::string_view path, MapScanObserver* observer) {
    Scanner scanner(path, observer);
    MapTextReader text(map);
    for (std::string_view piece; !(piece = text.next()).empty();) {
        for (char c : piece) scanner.take(c);
    }
    return scanner.finish();
}

}  // namespace zonora
