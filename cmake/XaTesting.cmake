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

# xa_add_test(NAME SOURCES... [LIBS libs...] [TIMEOUT seconds])
# Builds one GoogleTest executable and registers it as one CTest test; under the cross build it
# runs under Wine and carries the label "wine".
function(xa_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${XA_WINE_RUN} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES
      LABELS wine
      ENVIRONMENT "XA_WINE_PREFIX=${XA_WINE_PREFIX}"
      TIMEOUT ${ARG_TIMEOUT})
  else()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  endif()
endfunction()
