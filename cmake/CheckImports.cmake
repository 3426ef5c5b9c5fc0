cmake_minimum_required(VERSION 3.25)
# Fails unless PROGRAM imports only from DLLs that every Windows has: a static
# build carries no DLL of its own and needs nothing installed beside it.
#   cmake -DPROGRAM=zonora.exe -DOBJDUMP=x86_64-w64-mingw32-objdump -P CheckImports.cmake
set(system_dlls
  advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
  oleaut32.dll shell32.dll shlwapi.dll user32.dll)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "${PROGRAM} lists no imports at all")
endif()
set(foreign)
foreach(line IN LISTS lines)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST system_dlls)
    list(APPEND foreign ${dll})
  endif()
endforeach()
if(foreign)
  message(FATAL_ERROR "${PROGRAM} imports from DLLs that are not part of Windows: ${foreign}")
endif()
string(REGEX MATCH "Magic[ \t]+([0-9a-fA-F]+)" magic "${dump}")
if(NOT CMAKE_MATCH_1 STREQUAL "020b")
  message(FATAL_ERROR "${PROGRAM} is not a 64-bit program (optional header magic ${CMAKE_MATCH_1})")
endif()
message(STATUS "${PROGRAM}: 64-bit, imports only from system DLLs (${lines})")
