# Helpers shared by every folder of the source tree.

set(VELK_WARNINGS -Wall -Wextra -Werror)

# Every file parses much of the standard library, every test file GoogleTest
# as well; compiling those once per build tree instead of once per file takes
# a large share off the build (most of all in the -O0 sanitizer tree). GCC
# refuses a precompiled header built with other flags or macros (-Winvalid-pch,
# an error under -Werror), so a mismatch fails loudly rather than silently
# slowing down.
option(VELK_PCH "Precompile the standard and GoogleTest headers" ON)
set(VELK_PCH_STD <algorithm> <cmath> <cstdint> <cstdlib> <filesystem> <fstream> <functional>
    <limits> <map> <memory> <set> <sstream> <string> <utility> <vector>)

# velk_library(<name> [PUBLIC libs...] [PRIVATE libs...])
# One static library of all .cpp files below the calling folder, except tests.
function(velk_library name)
  cmake_parse_arguments(ARG "" "" "PUBLIC;PRIVATE" ${ARGN})
  # Paths inside the folder: a checkout below a folder named "tests" (or with
  # regular-expression characters in its path) builds all the same.
  file(GLOB_RECURSE sources RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "(^|/)tests/")
  # A subfolder with a CMakeLists.txt of its own (such as a drawing-free
  # "model" part, or physics/draw) is a library of its own, not part of this
  # one; the folder's CMakeLists.txt adds it with add_subdirectory().
  file(GLOB_RECURSE sublists RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  foreach(sublist IN LISTS sublists)
    get_filename_component(subdir ${sublist} DIRECTORY)
    list(FILTER sources EXCLUDE REGEX "^${subdir}/")
  endforeach()
  list(TRANSFORM sources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  if(NOT sources)
    # Header-only so far.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_PUBLIC} ${ARG_PRIVATE})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${VELK_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  _velk_library_pch(${name})
endfunction()

# velk_library_pch compiles the libraries' precompiled header (the standard
# library only: the headers of a layer's dependencies stay its own choice).
function(_velk_library_pch target)
  if(NOT VELK_PCH)
    return()
  endif()
  if(NOT TARGET velk_library_pch)
    add_library(velk_library_pch OBJECT ${PROJECT_SOURCE_DIR}/cmake/PchHost.cpp)
    target_compile_options(velk_library_pch PRIVATE ${VELK_WARNINGS})
    target_precompile_headers(velk_library_pch PRIVATE ${VELK_PCH_STD})
  endif()
  target_precompile_headers(${target} REUSE_FROM velk_library_pch)
endfunction()

# velk_tests(<name> LIBS libs...)
# Unit tests from tests/*.cpp become <name>_tests (label "unit"); window tests
# from tests/gui/*.cpp become <name>_gui_tests (label "gui") and each case runs
# inside its own Xvfb server.
function(velk_tests name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  set(env "ALSOFT_DRIVERS=null" "VELK_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  file(GLOB unit_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(unit_sources)
    _velk_test_target(${name}_tests "${unit_sources}" "${ARG_LIBS}")
    gtest_discover_tests(${name}_tests
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      DISCOVERY_TIMEOUT 60
      PROPERTIES LABELS unit ENVIRONMENT "${env}" TIMEOUT 120)
    add_dependencies(velk_unit_tests ${name}_tests)
  endif()
  file(GLOB gui_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/gui/*.cpp)
  if(gui_sources)
    _velk_test_target(${name}_gui_tests "${gui_sources}" "${ARG_LIBS}")
    set_target_properties(${name}_gui_tests PROPERTIES
      CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/with-display.sh)
    gtest_discover_tests(${name}_gui_tests
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      DISCOVERY_MODE PRE_TEST
      PROPERTIES LABELS gui ENVIRONMENT "${env}" TIMEOUT 300)
  endif()
endfunction()

function(_velk_test_target target sources libs)
  add_executable(${target} ${sources})
  target_compile_options(${target} PRIVATE ${VELK_WARNINGS})
  target_compile_definitions(${target} PRIVATE
    VELK_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests/data"
    VELK_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VELK_BINARY_DIR="${PROJECT_BINARY_DIR}")
  target_link_libraries(${target} PRIVATE ${libs} velk_testsupport GTest::gtest_main GTest::gmock Threads::Threads)
  _velk_test_pch(${target})
endfunction()

# velk_test_pch compiles the test programs' precompiled header;
# every test program reuses it. It links what every test program links, so
# that both see the same macros (GTEST_HAS_PTHREAD): GCC checks them.
function(_velk_test_pch target)
  if(NOT VELK_PCH)
    return()
  endif()
  if(NOT TARGET velk_test_pch)
    add_library(velk_test_pch OBJECT ${PROJECT_SOURCE_DIR}/cmake/PchHost.cpp)
    target_compile_options(velk_test_pch PRIVATE ${VELK_WARNINGS})
    target_link_libraries(velk_test_pch PRIVATE GTest::gtest GTest::gmock Threads::Threads)
    target_precompile_headers(velk_test_pch PRIVATE <gmock/gmock.h> <gtest/gtest.h> <thread> ${VELK_PCH_STD})
  endif()
  target_precompile_headers(${target} REUSE_FROM velk_test_pch)
endfunction()

# Every unit test program, so a sanitizer tree can build just those.
if(NOT TARGET velk_unit_tests)
  add_custom_target(velk_unit_tests)
endif()
