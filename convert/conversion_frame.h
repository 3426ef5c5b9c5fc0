#pragma once

#include <functional>
#include <optional>
#include <string>

#include "convert/conversion.h"
#include "convert/conversion_outcome.h"
#include "platform/file_system.h"
#include "platform/message_box.h"

namespace zonora {

inline constexpr const char* kSelectFilesMessage =
    "Please select source and destination files to continue";

// Shows an OK box under the program's title.
void tell(MessageBox& box, const std::string& prompt);

// The paths a conversion works on, checked at its start.
struct SelectedPaths {
    std::string map;
    std::string pdb;
    std::string baseName;  // BaseName of the PDB path
};

enum class Destination { Map, Pdb };

// The opening both conversions share: nothing (after telling the user) when
// either path is empty; otherwise both paths and BaseName (error 5 for a short
// name), after refusing two paths that name one file, since writing the
// destination would destroy the source.
std::optional<SelectedPaths> selectedPaths(const ConversionPaths& chosen, MessageBox& box,
                                           FileSystem& files, Destination destination);

// Runs steps and reports any failure with ShowError, giving the error shown.
// The steps own their files, so every file is closed by the time the report
// shows.
std::optional<RuntimeError> runReportingErrors(MessageBox& box, const std::function<void()>& steps);

// A conversion's steps, run as above: what they return, or Failed with the
// error shown.
ConversionOutcome runConversion(MessageBox& box, const std::function<ConversionResult()>& steps);

// Refuses two paths that name one file, before anything is written.
void refuseSameFile(bool same, const std::string& description);

}  // namespace zonora
