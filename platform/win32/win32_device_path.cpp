#include "platform/win32/win32_device_path.h"

#include <algorithm>
#include <string_view>

namespace zonora {
namespace {

bool equalsAscii(std::string_view text, std::string_view upper) {
    return std::equal(text.begin(), text.end(), upper.begin(), upper.end(), [](char a, char b) {
        return (a >= 'a' && a <= 'z' ? static_cast<char>(a - 'a' + 'A') : a) == b;
    });
}

bool isReservedDeviceName(std::string_view name) {
    // Windows ignores what follows the first dot or colon, and blanks before it.
    name = name.substr(0, name.find_first_of(".:"));
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    for (const std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (equalsAscii(name, device)) return true;
    }
    if (name.size() < 4) return false;
    const std::string_view stem = name.substr(0, 3);
    if (!equalsAscii(stem, "COM") && !equalsAscii(stem, "LPT")) return false;
    const std::string_view digit = name.substr(3);
    if (digit.size() == 1) return digit[0] >= '1' && digit[0] <= '9';
    // Superscript one to three count as digits here.
    return digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3";
}

}  // namespace

bool isDevicePath(const std::string& path) {
    std::string text = path;
    std::replace(text.begin(), text.end(), '/', '\\');
    const std::string_view view = text;
    if (view.starts_with("\\\\.\\")) return true;
    if (view.starts_with("\\\\?\\")) {
        // Such paths are taken literally, so reserved names mean nothing there;
        // only a drive, a share or a volume holds files.
        const std::string_view rest = view.substr(4);
        const bool drive = rest.size() >= 3 && rest[1] == ':' && rest[2] == '\\';
        const bool share = equalsAscii(rest.substr(0, 4), "UNC\\");
        const bool volume = equalsAscii(rest.substr(0, 7), "VOLUME{");
        return !drive && !share && !volume;
    }
    std::string_view name = view.substr(view.find_last_of('\\') + 1);
    if (name.size() >= 2 && name[1] == ':' && name.find('\\') == std::string_view::npos &&
        view.find('\\') == std::string_view::npos) {
        name.remove_prefix(2);  // C:NUL
    }
    return isReservedDeviceName(name);
}

}  // namespace zonora
