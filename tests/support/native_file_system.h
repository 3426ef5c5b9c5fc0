#pragma once

// The file system of the system the tests and benchmarks are built for.
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
