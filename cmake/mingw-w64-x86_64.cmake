# Cross build of the 64-bit Windows program (PE32+), for 64-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZONORA_MINGW_PREFIX x86_64-w64-mingw32)
set(ZONORA_PE_MAGIC 020b)  # what the imports check expects of the program
# Wine's 64-bit loader itself: Debian's wine starts every program through the
# 32-bit one, which a kernel without 32-bit support cannot run.
set(ZONORA_WINE_NAMES wine64 wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
