# GoogleTest for both builds and the registration of test executables with CTest.
# Windows test executables run under Wine through tools/wine-run.sh, in a private prefix inside
# the build tree, headless under Xvfb.

if(CMAKE_CROSSCOMPILING)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  set(XA_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(XA_WINE_RUN ${CMAKE_SOURCE_DIR}/tools/wine-run.sh)
else()
  find_package(GTest REQUIRED)
endif()

# xa_wine_session(FIXTURE PREFIX [ENVIRONMENT vars...])
# One wineserver and one desktop for the Wine prefix PREFIX through a whole test run
# (tools/wine-server.sh): the CTest fixture FIXTURE starts them before the first test that
# requires it and ends them after the last, in every run that selects such a test.
function(xa_wine_session fixture prefix)
  cmake_parse_arguments(ARG "" "" "ENVIRONMENT" ${ARGN})
  set(script ${CMAKE_SOURCE_DIR}/tools/wine-server.sh)
  add_test(NAME ${fixture}_start
           COMMAND bash ${script} start ${prefix} $<TARGET_FILE:wine_desktop_keeper>)
  add_test(NAME ${fixture}_stop COMMAND bash ${script} stop ${prefix})
  # A new prefix takes a minute or more to make on a loaded machine.
  set_tests_properties(${fixture}_start PROPERTIES
    FIXTURES_SETUP ${fixture} LABELS wine TIMEOUT 600 ENVIRONMENT "${ARG_ENVIRONMENT}")
  set_tests_properties(${fixture}_stop PROPERTIES
    FIXTURES_CLEANUP ${fixture} LABELS wine TIMEOUT 120)
endfunction()

# xa_wine_test(NAME)
# Runs the registered test NAME in the build's Wine prefix, within its session; labels it "wine".
function(xa_wine_test name)
  set_property(TEST ${name} APPEND PROPERTY LABELS wine)
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "XA_WINE_PREFIX=${XA_WINE_PREFIX}")
  set_property(TEST ${name} APPEND PROPERTY FIXTURES_REQUIRED wine_session)
endfunction()

if(CMAKE_CROSSCOMPILING)
  xa_wine_session(wine_session ${XA_WINE_PREFIX})
endif()

# xa_add_test(NAME SOURCES... [LIBS libs...] [TIMEOUT seconds])
# Builds one GoogleTest executable and registers it as one CTest test; under the cross build it
# runs under Wine (xa_wine_test).
function(xa_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${XA_WINE_RUN} $<TARGET_FILE:${name}>)
    xa_wine_test(${name})
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
endfunction()
