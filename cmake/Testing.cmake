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

# Wine sessions. In the cross build every case runs in one Wine session (a prefix, an Xvfb display
# and a wineserver of its own), which CTest hands out as the resource "session" of four slots:
#   - a case that needs the session to itself (RUN_SERIAL TRUE: the desktop, keys typed, a whole
#     installation) takes all four;
#   - a case that registers COM servers in the prefix's machine-wide classes (RESOURCE_LOCK
#     com_registration) takes three, so no two of them share a prefix, while a case of the third
#     kind may run beside it;
#   - any other case takes one.
# So RUN_SERIAL and the COM lock keep their meaning within a session, and cases in two sessions
# side by side share nothing but the machine. Cases that time what they do under a load of their
# own making share not even that: WHOLE_MACHINE gives them CTest's RUN_SERIAL, and nothing runs
# beside them in any session. The build's own description names one session, the
# one the test command starts (tools/wine-session.sh), so a plain `ctest` runs as it always did;
# tools/check.sh passes a description of two (--resource-spec-file) and tools/wine-run.sh starts
# each case in the session CTest gave it.
if(STARTDECK_WINDOWS)
  set(STARTDECK_SESSION_SLOTS_SERIAL 4)
  set(STARTDECK_SESSION_SLOTS_COM 3)
  file(WRITE ${CMAKE_BINARY_DIR}/wine-sessions.json
    "{\"version\": {\"major\": 1, \"minor\": 0},\n"
    " \"local\": [{\"session\": [{\"id\": \"s1\", \"slots\": ${STARTDECK_SESSION_SLOTS_SERIAL}}]}]}\n")
  set(CTEST_RESOURCE_SPEC_FILE ${CMAKE_BINARY_DIR}/wine-sessions.json)
endif()

# The CTest properties of a case in the cross build: RUN_SERIAL and RESOURCE_LOCK com_registration
# become its share of its Wine session (above), the rest stay as given. The result is in `out`.
function(startdeck_session_properties out)
  set(props ${ARGN})
  if(NOT STARTDECK_WINDOWS)
    set(${out} ${props} PARENT_SCOPE)
    return()
  endif()
  set(slots 1)
  set(kept)
  list(LENGTH props count)
  set(i 0)
  while(i LESS count)
    list(GET props ${i} key)
    math(EXPR next "${i} + 1")
    list(GET props ${next} value)
    if(key STREQUAL "RUN_SERIAL" AND value)
      set(slots ${STARTDECK_SESSION_SLOTS_SERIAL})
    elseif(key STREQUAL "RESOURCE_LOCK" AND value STREQUAL "com_registration")
      if(slots LESS ${STARTDECK_SESSION_SLOTS_COM})
        set(slots ${STARTDECK_SESSION_SLOTS_COM})
      endif()
    elseif(key STREQUAL "RESOURCE_LOCK" OR key STREQUAL "RUN_SERIAL")
      message(FATAL_ERROR "${key} ${value}: a case's share of its Wine session is RUN_SERIAL TRUE or "
                          "RESOURCE_LOCK com_registration (cmake/Testing.cmake)")
    else()
      list(APPEND kept ${key} ${value})
    endif()
    math(EXPR i "${i} + 2")
  endwhile()
  set(${out} ${kept} RESOURCE_GROUPS session:${slots} PARENT_SCOPE)
endfunction()

# startdeck_add_test(<name> [OWN_MAIN] [WHOLE_MACHINE <gtest filter>] SOURCES <files...> LIBS <targets...>
#                    [PROPERTIES <ctest props>])
# One test program; each of its cases becomes a CTest test, listed when CTest runs (under Wine in
# the cross build, where listing needs the Wine session that the test command starts). The cases
# WHOLE_MACHINE's filter matches run with nothing beside them; the others as PROPERTIES say.
function(startdeck_add_test name)
  cmake_parse_arguments(T "OWN_MAIN" "WHOLE_MACHINE" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  startdeck_session_properties(T_PROPERTIES ${T_PROPERTIES})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gmock)
  if(NOT T_OWN_MAIN)
    target_link_libraries(${name} PRIVATE gtest_main)
  endif()
  # Under Wine a test program that crashes may still end with exit code 0: only the case's own
  # verdict in the output counts. A skipped case is no pass: CTest lists it as not run, and
  # tools/check.sh counts it apart with the reason GoogleTest printed.
  set(verdicts
      PASS_REGULAR_EXPRESSION "\\[       OK \\]"
      FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]"
      SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
  if(T_WHOLE_MACHINE)
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120
      TEST_FILTER "${T_WHOLE_MACHINE}"
      PROPERTIES TIMEOUT 120 ${verdicts} ${T_PROPERTIES} RUN_SERIAL TRUE)
    set(rest TEST_FILTER "-${T_WHOLE_MACHINE}")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    ${rest}
    PROPERTIES TIMEOUT 120 ${verdicts} ${T_PROPERTIES})
endfunction()
