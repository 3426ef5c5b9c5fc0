#include "convert/conversion_frame.h"

#include "convert/base_name.h"
#include "convert/error_table.h"
#include "convert/show_error.h"

namespace zonora {

void tell(MessageBox& box, const std::string& prompt) {
    Message message;
    message.prompt = prompt;
    box.show(message);
}

std::optional<SelectedPaths> selectedPaths(const ConversionPaths& chosen, MessageBox& box,
                                           FileSystem& files, Destination destination) {
    SelectedPaths paths{chosen.map, chosen.pdb, {}};
    if (paths.map.empty() || paths.pdb.empty()) {
        tell(box, kSelectFilesMessage);
        return std::nullopt;
    }
    paths.baseName = BaseName(paths.pdb);
    const bool toMap = destination == Destination::Map;
    refuseSameFile(
        files.sameFile(paths.pdb, paths.map),
        std::string(toMap ? "The Map file and the PDB file" : "The PDB file and the Map file") +
            " are the same file: " + (toMap ? paths.map : paths.pdb));
    return paths;
}

std::optional<RuntimeError> runReportingErrors(MessageBox& box,
                                               const std::function<void()>& steps) {
    RuntimeError error(0);
    try {
        steps();
        return std::nullopt;
    } catch (...) {
        error = toRuntimeError(std::current_exception());
    }
    ShowError(box, error);
    return error;
}

ConversionOutcome runConversion(MessageBox& box, const std::function<ConversionResult()>& steps) {
    ConversionOutcome outcome;
    outcome.error = runReportingErrors(box, [&] { outcome.result = steps(); });
    return outcome;
}

void refuseSameFile(bool same, const std::string& description) {
    if (same) throw RuntimeError(errors::kPathFileAccess, description);
}

}  // namespace zonora
