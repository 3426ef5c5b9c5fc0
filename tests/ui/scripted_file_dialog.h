#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "convert/path_fields.h"
#include "platform/file_dialog.h"

namespace zonora::test {

// Records the properties and the path fields each time it is shown, and then
// picks the scripted path, cancels, or fails.
class ScriptedFileDialog : public FileDialog {
  public:
    struct Showing {
        bool save = false;
        std::string filter;
        int filterIndex = 0;
        std::string defaultExt;
        unsigned flags = 0;
        std::string title;
        std::string fileName;
        bool cancelError = false;
        std::string mapField;  // the fields while the dialog is open
        std::string pdbField;
    };

    explicit ScriptedFileDialog(const PathFields& fields) : fields_(fields) {}

    std::optional<std::string> choice;  // nothing: the user cancels
    bool fails = false;                 // the dialog cannot be shown
    std::vector<Showing> shown;

  protected:
    bool run(Mode mode) override {
        shown.push_back({mode == Mode::Save, Filter, FilterIndex, DefaultExt, Flags, DialogTitle,
                         FileName, CancelError, fields_.mapPath(), fields_.pdbPath()});
        if (fails) throw std::runtime_error("no dialog");
        if (!choice) return false;
        FileName = *choice;
        return true;
    }

  private:
    const PathFields& fields_;
};

}  // namespace zonora::test
