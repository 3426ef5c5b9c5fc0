cmake_minimum_required(VERSION 3.25)
# Fails unless PROGRAM imports only from DLLs that every Windows has (a static
# build carries no DLL of its own and needs nothing installed beside it) and
# is of the bitness its build is for: MAGIC is the optional header's magic,
# 010b for a 32-bit program (PE32), 020b for a 64-bit one (PE32+).
# LATER lists system DLLs it must not import, since it loads them when needed.
#   cmake -DPROGRAM=zonora.exe -DOBJDUMP=x86_64-w64-mingw32-objdump -DMAGIC=020b -P CheckImports.cmake
set(system_dlls
  advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
  oleaut32.dll shell32.dll shlwapi.dll user32.dll)

if(MAGIC STREQUAL "010b")
  set(kind "32-bit (PE32)")
elseif(MAGIC STREQUAL "020b")
  set(kind "64-bit (PE32+)")
else()
  message(FATAL_ERROR "Give -DMAGIC=010b (PE32) or -DMAGIC=020b (PE32+), not \"${MAGIC}\"")
endif()

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "${PROGRAM} lists no imports at all")
endif()
set(foreign)
set(imported)
foreach(line IN LISTS lines)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  list(APPEND imported ${dll})
  if(NOT dll IN_LIST system_dlls)
    list(APPEND foreign ${dll})
  endif()
endforeach()
if(foreign)
  message(FATAL_ERROR "${PROGRAM} imports from DLLs that are not part of Windows: ${foreign}")
endif()
# DLLs the program loads only when a click needs them: importing one would
# load it at every start.
foreach(dll IN LISTS LATER)
  string(TOLOWER "${dll}" dll)
  if(dll IN_LIST imported)
    message(FATAL_ERROR "${PROGRAM} imports ${dll}, which it is to load only when needed")
  endif()
endforeach()
string(REGEX MATCH "Magic[ \t]+([0-9a-fA-F]+)" magic "${dump}")
if(NOT CMAKE_MATCH_1 STREQUAL MAGIC)
  message(FATAL_ERROR "${PROGRAM} is not a ${kind} program (optional header magic ${CMAKE_MATCH_1})")
endif()
message(STATUS "${PROGRAM}: ${kind}, imports only from system DLLs (${lines})")
