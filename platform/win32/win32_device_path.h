#pragma once

#include <string>

namespace zonora {

// Whether a path names a device rather than a file: a reserved DOS device name
// (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, CONIN$, CONOUT$) as its last
// component, in any case and with any extension; a path in the device
// namespace (\\.\ at its start); or a literal path (\\?\ at its start)
// that names neither a drive, a share nor a volume.
bool isDevicePath(const std::string& path);

}  // namespace zonora
