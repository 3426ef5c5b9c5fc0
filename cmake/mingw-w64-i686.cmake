# Cross build of the 32-bit Windows program (PE32), for 32-bit Windows and
# 32-bit Wine prefixes, where Palm Desktop and HotSync often live.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZONORA_MINGW_PREFIX i686-w64-mingw32)
set(ZONORA_PE_MAGIC 010b)  # what the imports check expects of the program
set(ZONORA_WINE_NAMES wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
