#include "convert/conversion_frame.h"

#include "convert/error_table.h"
#include "convert/show_error.h"

namespace zonora {

void tell(MessageBox& box, const std::string& prompt) {
    Message message;
    message.prompt = prompt;
    box.show(message);
}

bool pathsSelected(const PathFields& fields, MessageBox& box) {
    if (!fields.mapPath().empty() && !fields.pdbPath().empty()) return true;
    tell(box, kSelectFilesMessage);
    return false;
}

void runReportingErrors(MessageBox& box, const std::function<void()>& steps) {
    RuntimeError error(0);
    try {
        steps();
        return;
    } catch (...) {
        error = toRuntimeError(std::current_exception());
    }
    ShowError(box, error);
}

void refuseSameFile(bool same, const std::string& description) {
    if (same) throw RuntimeError(errors::kPathFileAccess, description);
}

}  // namespace zonora
