# Tests of Setup.exe under Wine. They copy the installer and the libraries
# below into folders of their own, run it, and look at its exit code, its log
# lines, its windows and the files it leaves.

# Test libraries: name, registration result (none: no export), major version.
foreach(entry zew_reg_ok:S_OK:1 zew_reg_sfalse:S_FALSE:1 zew_reg_noexport:none:1 zew_reg_new:S_OK:2)
  string(REPLACE ":" ";" parts ${entry})
  list(GET parts 0 name)
  list(GET parts 1 result)
  list(GET parts 2 version)
  add_library(${name} SHARED tests/RegisterTestDll.cpp tests/RegisterTestDll.rc)
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".dll")
  target_compile_definitions(${name} PRIVATE ZEW_TEST_VERSION=${version})
  if(NOT result STREQUAL "none")
    target_compile_definitions(${name} PRIVATE ZEW_REGISTER_RESULT=${result})
  endif()
  if(ZEW_WINE_ARCH STREQUAL "win32")
    target_link_options(${name} PRIVATE -Wl,--kill-at)
  endif()
  list(APPEND setup_test_dlls ${name})
endforeach()

set(setup_test_support tests/SetupTestSupport.cpp)

zew_add_test(setup_run_tests
  SOURCES tests/UnattendedTest.cpp ${setup_test_support}
  LIBS advapi32)
target_include_directories(setup_run_tests PRIVATE tests)
add_dependencies(setup_run_tests Setup VISA32_dll ${setup_test_dlls})

zew_add_test(setup_window_tests WINDOW
  SOURCES tests/WizardTest.cpp ${setup_test_support}
  LIBS advapi32 user32)
target_include_directories(setup_window_tests PRIVATE tests)
add_dependencies(setup_window_tests Setup VISA32_dll ${setup_test_dlls})
