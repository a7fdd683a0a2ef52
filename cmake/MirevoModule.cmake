# mirevo_add_module(<name> DEPS <targets...> [SUBFOLDERS <folders...>] [EXTRA_SOURCES <files...>]
#                   [EXCLUDE <files...>])
# Builds every .cpp/.h of the calling folder, and of the named subfolders, into the static
# library mirevo_<name>. Globbing keeps new files from needing a CMake edit.
function(mirevo_add_module name)
  cmake_parse_arguments(ARG "" "" "DEPS;SUBFOLDERS;EXTRA_SOURCES;EXCLUDE" ${ARGN})
  set(patterns ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(folder ${ARG_SUBFOLDERS})
    list(APPEND patterns ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${patterns})
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  if(NOT sources AND NOT ARG_EXTRA_SOURCES)
    # A folder with no code yet still takes part in the dependency graph.
    add_library(mirevo_${name} INTERFACE)
    target_link_libraries(mirevo_${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(mirevo_${name} STATIC ${sources} ${ARG_EXTRA_SOURCES})
  target_include_directories(mirevo_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(mirevo_${name} PUBLIC ${ARG_DEPS})
endfunction()

# mirevo_add_test_module(<folder> [DEPS <targets...>])
# One Qt Test executable per tests/ folder (tst_platform_sources for platform/sources):
# every tst_*.cpp in it registers its test classes with MIREVO_TEST_CLASS, and the shared
# main runs them all.
function(mirevo_add_test_module folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
  string(REPLACE "/" "_" target tst_${folder})
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE mirevo_testsupport ${ARG_DEPS})
  add_dependencies(unit_tests ${target})
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES
    LABELS unit
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-home/data;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-home/config")
endfunction()
