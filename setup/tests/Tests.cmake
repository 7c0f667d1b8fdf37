# Tests of Setup.exe under Wine. They copy the installer and the libraries
# below into folders of their own, run it, and look at its exit code, its log
# lines, its windows and the files it leaves.

# Test libraries: name, registration result (none: no export), major version.
foreach(entry zew_reg_ok:S_OK:1 zew_reg_sfalse:S_FALSE:1 zew_reg_noexport:none:1 zew_reg_new:S_OK:2)
  string(REPLACE ":" ";" parts ${entry})
  list(GET parts 0 name)
  list(GET parts 1 result)
  list(GET parts 2 version)
  add_library(${name} SHARED tests/TestLibrary.cpp tests/TestLibrary.rc)
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".dll")
  target_compile_definitions(${name} PRIVATE ZEW_TEST_VERSION=${version})
  if(NOT result STREQUAL "none")
    target_compile_definitions(${name} PRIVATE ZEW_REGISTER_RESULT=${result})
  endif()
  zew_stdcall_exports(${name})
  list(APPEND setup_test_dlls ${name})
endforeach()

# A library that records that its code ran, planted under the names of
# libraries the installer must not run from its own or the current folder.
add_library(zew_planted SHARED tests/TestLibrary.cpp)
set_target_properties(zew_planted PROPERTIES PREFIX "" SUFFIX ".dll")
target_compile_definitions(zew_planted PRIVATE ZEW_PLANTED)
zew_stdcall_exports(zew_planted)
list(APPEND setup_test_dlls zew_planted)

# The tests' support: the installer's source folder, runs, windows.
add_library(zew_setup_test_support STATIC tests/SetupTestSupport.cpp)
target_include_directories(zew_setup_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zew_setup_test_support PUBLIC GTest::gtest advapi32 user32)

# setup_test(<name> <source> [WINDOW])
# A GoogleTest program of the installer's tests. The tests put VISA32.DLL into
# the system folder, so each program runs in a Wine prefix of its own, made
# afresh and removed afterwards (scripts/own-prefix.sh); WINDOW runs it under a
# virtual X server.
function(setup_test name source)
  cmake_parse_arguments(ARG "WINDOW" "" "" ${ARGN})
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE zew_setup_test_support GTest::gtest_main)
  add_dependencies(${name} Setup VISA32_dll ${setup_test_dlls})
  set(x)
  if(ARG_WINDOW)
    set(x --x)
  endif()
  add_test(NAME ${name}
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/own-prefix.sh ${ZEW_WINE_ARCH}
            ${CMAKE_CURRENT_BINARY_DIR}/${name}-prefix ${x} --gtest $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

setup_test(setup_run_tests tests/UnattendedTest.cpp)
setup_test(setup_window_tests tests/WizardTest.cpp WINDOW)
