#include <windows.h>

#include "platform/text_encoding.h"

namespace zonora {
namespace {

// Characters the code page cannot hold become '?'; WC_NO_BEST_FIT_CHARS keeps
// Windows from guessing a look-alike (A for A with macron).
void appendConverted(std::string& ansi, const std::wstring& wide) {
    if (wide.empty()) return;
    const int size = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                             nullptr, 0, "?", nullptr);
    if (length <= 0) {
        ansi.append(wide.size(), '?');
        return;
    }
    const std::size_t start = ansi.size();
    ansi.resize(start + static_cast<std::size_t>(length));
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, ansi.data() + start,
                          length, "?", nullptr);
}

}  // namespace

std::string toAnsi(std::string_view utf8) {
    const auto pieces = splitCharacters(utf8);
    std::string ansi;
    ansi.reserve(utf8.size());
    if (::GetACP() == CP_UTF8) {
        // A system set to UTF-8 keeps every valid character as it is.
        for (std::string_view piece : pieces)
            ansi += codePointOf(piece) ? piece : std::string_view("?");
        return ansi;
    }
    // Valid characters are converted in runs; the rest become '?' here, one
    // for each invalid byte and each character, as the Linux program writes
    // them. Windows would keep some C1 controls in code page 1252 (0x81 and
    // its kin) and could give two '?' for a surrogate pair.
    std::wstring run;
    for (std::string_view piece : pieces) {
        const auto codePoint = codePointOf(piece);
        if (!codePoint || (*codePoint >= 0x80 && *codePoint < 0xA0) || *codePoint > 0xFFFF) {
            appendConverted(ansi, run);
            run.clear();
            ansi += '?';
        } else {
            run += static_cast<wchar_t>(*codePoint);
        }
    }
    appendConverted(ansi, run);
    return ansi;
}

}  // namespace zonora
