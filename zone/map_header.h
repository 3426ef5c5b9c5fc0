#pragma once

#include <string>
#include <string_view>

namespace zonora {

// "Druma " + name + ".PDB convert on " + date + " " + time, on one line: a
// line break or a NUL in the pieces is written as '?'.
std::string mapFileHeader(std::string_view baseName, std::string_view date, std::string_view time);

// Whether a line (without its end) is a header as mapFileHeader writes it.
// A line with a NUL byte is not text, so not a header: a PDB's name may
// begin the same way.
bool isMapHeader(std::string_view line);

// The line without the UTF-8 mark an editor may have put before it. The
// scanner does not decode UTF-8, so only a report on the file skips it.
std::string_view withoutUtf8Mark(std::string_view line);

}  // namespace zonora
