#include "ui/win32/dropped_file.h"

#include "platform/win32/system_library.h"
#include "platform/win32/win32_text.h"

namespace zonora {
namespace {

std::optional<std::string> onlyFile(HDROP drop) {
    const auto query =
        systemFunction<decltype(&::DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    if (!query || query(drop, 0xFFFFFFFF, nullptr, 0) != 1) return std::nullopt;
    const UINT length = query(drop, 0, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    path.resize(query(drop, 0, path.data(), length + 1));
    if (path.empty()) return std::nullopt;
    return narrow(path);
}

}  // namespace

std::optional<std::string> takeDroppedFile(HDROP drop) {
    std::optional<std::string> path = onlyFile(drop);
    if (const auto done = systemFunction<decltype(&::DragFinish)>(L"shell32.dll", "DragFinish")) {
        done(drop);
    }
    return path;
}

}  // namespace zonora
