#pragma once

#include <windows.h>
// commdlg.h builds on the types of windows.h.
#include <commdlg.h>

#include <string>
#include <vector>

#include "platform/file_dialog.h"

namespace zonora {

// Room for the longest path Windows takes, with its terminating NUL.
inline constexpr DWORD kFileNameCapacity = 32768;

// The OPENFILENAMEW for one showing of the dialog, built from the properties
// as they are (Flags exactly as set), together with the buffers it points
// into; it cannot be copied or moved, as those pointers would dangle.
class OpenFileName {
  public:
    OpenFileName(const FileDialog& properties, HWND owner);
    OpenFileName(const OpenFileName&) = delete;
    OpenFileName& operator=(const OpenFileName&) = delete;

    OPENFILENAMEW& get() { return data_; }
    const OPENFILENAMEW& get() const { return data_; }
    // The name in the file buffer: the chosen path once the dialog is accepted.
    std::string fileName() const;

  private:
    std::wstring filter_;  // pairs separated by NULs, ended by two NULs
    std::wstring defaultExt_;
    std::wstring title_;
    std::vector<wchar_t> file_;
    OPENFILENAMEW data_{};
};

// The system's Open and Save dialogs, modal over the owner window. Cancel
// returns false; a dialog that fails (CommDlgExtendedError is set) throws a
// RuntimeError that says why.
class Win32FileDialog : public FileDialog {
  public:
    explicit Win32FileDialog(HWND owner) : owner_(owner) {}

  protected:
    bool run(Mode mode) override;

  private:
    HWND owner_;
};

}  // namespace zonora
