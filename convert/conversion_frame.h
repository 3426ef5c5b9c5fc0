#pragma once

#include <functional>
#include <string>

#include "convert/path_fields.h"
#include "platform/message_box.h"

namespace zonora {

inline constexpr const char* kSelectFilesMessage =
    "Please select source and destination files to continue";

// Shows an OK box under the program's title.
void tell(MessageBox& box, const std::string& prompt);

// The check both conversions start with: false (after telling the user) when
// either path is empty.
bool pathsSelected(const PathFields& fields, MessageBox& box);

// Runs a conversion's steps and reports any failure with ShowError. The steps
// own their files, so every file is closed by the time the report shows.
void runReportingErrors(MessageBox& box, const std::function<void()>& steps);

// Refuses two paths that name one file, before anything is written.
void refuseSameFile(bool same, const std::string& description);

}  // namespace zonora
