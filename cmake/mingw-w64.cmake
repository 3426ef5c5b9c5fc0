# What both Windows cross builds share: Debian's mingw-w64 (POSIX threads
# flavour) for ZONORA_MINGW_PREFIX, and Wine to run the tests. Included by the
# toolchain file of each bitness, which names in ZONORA_WINE_NAMES the Wine
# that runs its programs. Building needs no Wine: what the build makes, it makes
# with programs built for this machine.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ZONORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZONORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZONORA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZONORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(ZONORA_WINE NAMES ${ZONORA_WINE_NAMES} PATHS /usr/lib/wine)
if(ZONORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZONORA_WINE})
endif()
# The test programs list their tests under Wine when the tests run, not when
# they are built.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
