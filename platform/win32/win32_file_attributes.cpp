#include "platform/win32/win32_file_attributes.h"

#include <windows.h>

#include "platform/win32/win32_text.h"

namespace zonora {

FileAttributes Win32FileAttributes::query(const std::string& path) {
    if (path.empty()) return {};
    const DWORD attributes = ::GetFileAttributesW(widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return {true, (attributes & FILE_ATTRIBUTE_HIDDEN) != 0,
            (attributes & FILE_ATTRIBUTE_SYSTEM) != 0};
}

}  // namespace zonora
