# GoogleTest, built from source with whichever toolchain this build uses (Debian ships the source in
# /usr/src/googletest; elsewhere an installed package is used).
set(STARTDECK_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source folder")
if(EXISTS ${STARTDECK_GTEST_SOURCE}/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${STARTDECK_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
  add_library(gtest ALIAS GTest::gtest)
  add_library(gtest_main ALIAS GTest::gtest_main)
  add_library(gmock ALIAS GTest::gmock)
endif()

include(GoogleTest)

# startdeck_add_test(<name> [OWN_MAIN] SOURCES <files...> LIBS <targets...> [PROPERTIES <ctest props>])
# One test program; each of its cases becomes a CTest test, listed when CTest runs (under Wine in
# the cross build, where listing needs the Wine session that the test command starts).
function(startdeck_add_test name)
  cmake_parse_arguments(T "OWN_MAIN" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gmock)
  if(NOT T_OWN_MAIN)
    target_link_libraries(${name} PRIVATE gtest_main)
  endif()
  # Under Wine a test program that crashes may still end with exit code 0: only the case's own
  # verdict in the output counts. A skipped case is no pass: CTest lists it as not run, and
  # tools/check.sh counts it apart with the reason GoogleTest printed.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120
      PASS_REGULAR_EXPRESSION "\\[       OK \\]"
      FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]"
      SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]"
      ${T_PROPERTIES})
endfunction()
