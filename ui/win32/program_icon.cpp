#include "ui/win32/program_icon.h"

#include <string>

namespace zonora {
namespace {

struct IconGroup {
    ULONG_PTR number = 0;
    std::wstring name;
};

BOOL CALLBACK firstIconGroup(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    auto& group = *reinterpret_cast<IconGroup*>(found);
    if (IS_INTRESOURCE(name)) {
        group.number = reinterpret_cast<ULONG_PTR>(name);
    } else {
        group.name = name;
    }
    return FALSE;
}

}  // namespace

HICON programIcon(HINSTANCE instance, int metricX, int metricY) {
    IconGroup group;
    ::EnumResourceNamesW(instance, RT_GROUP_ICON, firstIconGroup,
                         reinterpret_cast<LONG_PTR>(&group));
    if (group.number == 0 && group.name.empty()) return nullptr;
    const wchar_t* name =
        group.name.empty() ? MAKEINTRESOURCEW(static_cast<WORD>(group.number)) : group.name.c_str();
    return static_cast<HICON>(::LoadImageW(instance, name, IMAGE_ICON, ::GetSystemMetrics(metricX),
                                           ::GetSystemMetrics(metricY), LR_SHARED));
}

}  // namespace zonora
