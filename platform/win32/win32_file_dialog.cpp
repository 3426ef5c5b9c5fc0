#include "platform/win32/win32_file_dialog.h"

#include <algorithm>
#include <cstdio>

#include "platform/file_filter.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_text.h"

namespace zonora {
namespace {

// The same pairs the other front end lists, so that FilterIndex picks the
// same entry on both.
std::wstring filterList(const std::string& filter) {
    std::wstring list;
    for (const FileFilter& entry : parseFileFilter(filter)) {
        list += widen(entry.description);
        list += L'\0';
        for (std::size_t i = 0; i < entry.patterns.size(); ++i) {
            if (i > 0) list += L';';
            list += widen(entry.patterns[i]);
        }
        list += L'\0';
    }
    if (!list.empty()) list += L'\0';
    return list;
}

}  // namespace

OpenFileName::OpenFileName(const FileDialog& properties, HWND owner)
    : filter_(filterList(properties.Filter)),
      defaultExt_(widen(properties.DefaultExt)),
      title_(widen(properties.DialogTitle)),
      file_(kFileNameCapacity, L'\0') {
    const std::wstring name = widen(properties.FileName);
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), file_.size() - 1), file_.begin());

    data_.lStructSize = sizeof(data_);
    data_.hwndOwner = owner;
    // Empty texts are left out, so the system's own defaults apply.
    data_.lpstrFilter = filter_.empty() ? nullptr : filter_.c_str();
    data_.nFilterIndex = static_cast<DWORD>(std::max(properties.FilterIndex, 0));
    data_.lpstrFile = file_.data();
    data_.nMaxFile = kFileNameCapacity;
    data_.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    data_.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
    data_.Flags = properties.Flags;
}

std::string OpenFileName::fileName() const {
    const auto end = std::find(file_.begin(), file_.end(), L'\0');
    return narrow(std::wstring_view(file_.data(), static_cast<std::size_t>(end - file_.begin())));
}

bool Win32FileDialog::run(Mode mode) {
    // The dialogs' library is loaded by the first click that needs it.
    using Show = BOOL(WINAPI*)(OPENFILENAMEW*);
    const auto show = systemFunction<Show>(
        L"comdlg32.dll", mode == Mode::Open ? "GetOpenFileNameW" : "GetSaveFileNameW");
    const auto lastError =
        systemFunction<DWORD(WINAPI*)()>(L"comdlg32.dll", "CommDlgExtendedError");
    if (!show || !lastError) {
        throw RuntimeError(errors::kInvalidCall, "The file dialog could not be shown.");
    }
    OpenFileName request(*this, owner_);
    if (show(&request.get())) {
        FileName = request.fileName();
        return true;
    }
    const DWORD error = lastError();
    if (error == 0) return false;  // Cancel, or the dialog closed
    char code[16];
    std::snprintf(code, sizeof(code), "0x%04lX", static_cast<unsigned long>(error));
    throw RuntimeError(
        errors::kInvalidCall,
        std::string("The file dialog could not be shown (common dialog error ") + code + ").");
}

}  // namespace zonora
