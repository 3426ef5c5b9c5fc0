#pragma once

// The file system of the system being built for, for the code that picks
// the services (a program's start, tests, benchmarks).
#ifdef _WIN32
#include "platform/win32/win32_file_system.h"
namespace zonora {
using NativeFileSystem = Win32FileSystem;
}
#else
#include "platform/posix/posix_file_system.h"
namespace zonora {
using NativeFileSystem = PosixFileSystem;
}
#endif
