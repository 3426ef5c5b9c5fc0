#pragma once

// The handler names (control name, underscore, event) are those of the original
// form, kept on purpose; see "Names" in the README.

#include <functional>
#include <string>

#include "convert/conversion.h"
#include "platform/file_dialog.h"
#include "ui/form_controls.h"

namespace zonora {

inline constexpr const char* kSelectDirectionMessage = "Please select conversion direction.";

// The window's click handlers, free of any toolkit: a window only has to
// forward its events here.
class FormHandlers {
  public:
    FormHandlers(FormControls& form, ConversionServices& services, FileDialog& cd,
                 std::function<void()> endProgram)
        : form_(form), services_(services), cd_(cd), endProgram_(std::move(endProgram)) {}

    void Cmdbrm_Click();
    void cmdbrp_Click();
    void cmdcvt_Click();
    void Cmdexit_Click();
    void Optm2p_Click();
    void Optp2m_Click();

    // A file named at start or dropped on the window: the direction that
    // reads it is selected, the file goes in its field and the name the Save
    // dialog would propose in the other. Converts nothing.
    void openFile(const std::string& path);

  private:
    FormControls& form_;
    ConversionServices& services_;
    FileDialog& cd_;
    std::function<void()> endProgram_;
};

}  // namespace zonora
