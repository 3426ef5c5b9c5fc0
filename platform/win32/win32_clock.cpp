#include "platform/win32/win32_clock.h"

#include <string>

#include "platform/runtime_error.h"
#include "platform/text_encoding.h"
#include "platform/win32/win32_text.h"

namespace zonora {
namespace {

// Calls format(buffer, size) once to measure and once to fill; the count
// includes the terminating NUL.
template <typename Format>
std::string formatted(Format format, const char* what) {
    const int size = format(nullptr, 0);
    if (size > 0) {
        std::wstring text(static_cast<std::size_t>(size), L'\0');
        const int written = format(text.data(), size);
        if (written > 0) {
            text.resize(static_cast<std::size_t>(written - 1));
            return withPlainBlanks(narrow(text));
        }
    }
    throw RuntimeError(errors::kInvalidCall,
                       std::string("The current ") + what + " could not be written as text.");
}

}  // namespace

SYSTEMTIME localTimeNow() {
    SYSTEMTIME moment{};
    ::GetLocalTime(&moment);
    return moment;
}

DateTimeText Win32Clock::now() {
    const SYSTEMTIME moment = now_();
    std::string date = formatted(
        [&](wchar_t* buffer, int size) {
            return ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &moment, nullptr,
                                     buffer, size, nullptr);
        },
        "date");
    std::string time = formatted(
        [&](wchar_t* buffer, int size) {
            return ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &moment, nullptr, buffer, size);
        },
        "time");
    return {std::move(date), std::move(time)};
}

}  // namespace zonora
