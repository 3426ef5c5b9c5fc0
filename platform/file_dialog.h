#pragma once

// The property names (Filter, Flags, FileName, ...) are those of the Windows
// common dialog control, kept on purpose; see "Names" in the README.

#include <string>

#include "platform/runtime_error.h"

namespace zonora {

// The Windows OPENFILENAME option bits that the program sets.
namespace ofn {
inline constexpr unsigned kOverwritePrompt = 0x2;
inline constexpr unsigned kHideReadOnly = 0x4;
inline constexpr unsigned kPathMustExist = 0x800;
inline constexpr unsigned kFileMustExist = 0x1000;
inline constexpr unsigned kNoReadOnlyReturn = 0x8000;
}  // namespace ofn

inline constexpr int kCancelErrorNumber = 32755;
inline constexpr const char* kCancelErrorDescription = "Cancel was selected.";

// A common Open/Save file dialog that keeps its properties from one use to
// the next, as the Windows common dialog control does.
class FileDialog {
  public:
    virtual ~FileDialog() = default;

    // Pairs of description and pattern: "All files (*.*)|*.*|Map Files|*.map".
    std::string Filter;
    // 1-based: the pair selected when the dialog opens.
    int FilterIndex = 1;
    // Added, without the dot, to a name typed without an extension.
    std::string DefaultExt;
    unsigned Flags = 0;
    std::string DialogTitle;
    // The name shown on opening; the chosen path once the dialog is accepted.
    std::string FileName;
    // When set, Cancel throws a RuntimeError rather than returning.
    bool CancelError = false;

    void showOpen() { finish(run(Mode::Open)); }
    void showSave() { finish(run(Mode::Save)); }

  protected:
    enum class Mode { Open, Save };
    // Shows the modal dialog. On acceptance it stores the path in FileName and
    // returns true; on Cancel it returns false and leaves FileName alone.
    virtual bool run(Mode mode) = 0;

  private:
    void finish(bool accepted) const {
        if (!accepted && CancelError) {
            throw RuntimeError(kCancelErrorNumber, kCancelErrorDescription);
        }
    }
};

}  // namespace zonora
