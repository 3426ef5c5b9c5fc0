# zonora.exe's resources, read back from the built program and from the icon
# file they were made from. Included by this folder's CMakeLists.txt.
if(TARGET zonora AND TARGET zonora_win32_resources)
  zonora_test(ui_win32_resources_test ${CMAKE_CURRENT_LIST_DIR}/resources_test.cpp)
  target_include_directories(ui_win32_resources_test PRIVATE
    $<TARGET_PROPERTY:zonora_win32_resources,INTERFACE_INCLUDE_DIRECTORIES>)
  target_link_libraries(ui_win32_resources_test PRIVATE version gdi32)
  add_dependencies(ui_win32_resources_test zonora)
  target_compile_definitions(ui_win32_resources_test PRIVATE
    ZONORA_PROGRAM="$<TARGET_FILE:zonora>"
    ZONORA_ICO_FILE="$<TARGET_PROPERTY:zonora_win32_resources,ZONORA_ICO_FILE>"
    ZONORA_MANIFEST_FILE="$<TARGET_PROPERTY:zonora_win32_resources,ZONORA_MANIFEST_FILE>")
endif()
