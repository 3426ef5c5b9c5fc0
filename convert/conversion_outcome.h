#pragma once

#include <optional>

#include "platform/runtime_error.h"

namespace zonora {

// What a conversion did. The user has been told already, in the message box
// the conversion was given; the caller only decides what follows (a window
// clears its fields, the command line sets its exit status).
enum class ConversionResult {
    Converted,   // the new file is complete and in place, and the user told so
    Unselected,  // a path was empty: "Please select source and destination
                 // files to continue"; nothing was touched
    Declined,    // a Map of fewer than 256 values, and the answer was No
    InvalidPdb,  // the PDB's header lies outside the window of a zone database:
                 // "Error : Invalid PDB file."; the Map was not touched
    Failed,      // a RuntimeError, shown with ShowError
};

struct ConversionOutcome {
    ConversionResult result = ConversionResult::Failed;
    std::optional<RuntimeError> error;  // Failed: the error as it was shown

    bool converted() const { return result == ConversionResult::Converted; }
};

}  // namespace zonora
