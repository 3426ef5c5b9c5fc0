# What both Windows cross builds share: Debian's mingw-w64 (POSIX threads
# flavour) for ZONORA_MINGW_PREFIX, and Wine to run the build's own programs
# and the tests. Included by the toolchain file of each bitness.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ZONORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZONORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZONORA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZONORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian's wine starts 32-bit and 64-bit programs alike, each in a prefix that
# can run it (WINEPREFIX, scripts/wine-session.sh).
find_program(ZONORA_WINE NAMES wine wine64)
if(ZONORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZONORA_WINE})
endif()
