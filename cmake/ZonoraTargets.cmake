# Each library offers its own folder's headers, and only those, to the targets
# that link it: an include that crosses a line the build does not draw (the
# core reaching into a front end, a front end into another) fails to compile.
function(zonora_expose_headers target folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  file(MAKE_DIRECTORY ${root}/${folder})
  foreach(header IN LISTS headers)
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${root}/${folder}/${name} SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# A static library of the given folder, offering that folder's headers.
function(zonora_library target folder)
  add_library(${target} STATIC ${ARGN})
  zonora_expose_headers(${target} ${folder})
endfunction()
