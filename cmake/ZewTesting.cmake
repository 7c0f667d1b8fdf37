# GoogleTest from Debian's sources, built with the preset's own compiler, and
# the helpers that register test programs with CTest. Windows test programs run
# under Wine in a prefix of their own inside the build tree.
enable_testing()

set(ZEW_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${ZEW_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# Every test of a Windows preset runs under Wine through wine-run, so each
# reports wine-run's status 77 (the architecture cannot run on this machine) as
# skipped rather than failed. A test property can only be set from the
# directory that added the test, so each directory with tests marks its own
# once its CMakeLists is done: zew_add_test sees to it, and a directory that
# adds Windows tests with plain add_test calls
# zew_mark_wine_tests_of_this_directory() itself.
function(zew_mark_wine_tests)
  get_property(tests DIRECTORY PROPERTY TESTS)
  if(tests)
    set_tests_properties(${tests} PROPERTIES SKIP_RETURN_CODE 77)
  endif()
endfunction()
function(zew_mark_wine_tests_of_this_directory)
  get_property(marked DIRECTORY PROPERTY ZEW_WINE_TESTS_MARKED)
  if(WIN32 AND NOT marked)
    set_property(DIRECTORY PROPERTY ZEW_WINE_TESTS_MARKED TRUE)
    cmake_language(DEFER CALL zew_mark_wine_tests)
  endif()
endfunction()

if(WIN32)
  set(ZEW_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(ZEW_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run
      --prefix ${ZEW_WINE_PREFIX} --arch ${ZEW_WINE_ARCH})
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZEW_WINE_RUN})

  # The prefix is created before the first Wine test and its wineserver is
  # shut down after the last, so nothing lingers after ctest.
  # wine-run exits with 77 where this machine cannot run the preset's
  # programs at all (32-bit on a kernel without 32-bit support); every Windows
  # test then reports as skipped (see zew_mark_wine_tests).
  add_test(NAME wine_prefix_up COMMAND ${ZEW_WINE_RUN} --init)
  add_test(NAME wine_prefix_down COMMAND ${ZEW_WINE_RUN} --shutdown)
  set_tests_properties(wine_prefix_up PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine_prefix_down PROPERTIES FIXTURES_CLEANUP wine)

  # Clients that reach the driver as a test PC's do (the script hosts, the
  # examples) run in a prefix whose system folder holds the stand-in VISA
  # library, as a VISA installation would (the driver never looks in the
  # current folder), with the driver registered once, before the first of
  # them: registering again while another client runs would pull the keys
  # from under its CreateObject.
  set(ZEW_CLIENT_PREFIX ${CMAKE_BINARY_DIR}/client-prefix)
  add_test(NAME client_prefix_up
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/visa-prefix.sh ${ZEW_CLIENT_PREFIX} ${ZEW_WINE_ARCH} ${CMAKE_BINARY_DIR}/bin
            --register $<TARGET_FILE:Zew4400>)
  add_test(NAME client_prefix_down
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run --prefix ${ZEW_CLIENT_PREFIX} --arch ${ZEW_WINE_ARCH} --shutdown)
  set_tests_properties(client_prefix_up PROPERTIES FIXTURES_SETUP client)
  set_tests_properties(client_prefix_down PROPERTIES FIXTURES_CLEANUP client)
  zew_mark_wine_tests_of_this_directory()
endif()

# zew_add_test(<name> SOURCES <files...> [LIBS <targets...>] [WINDOW] [ENV <VAR=value...>]
#              [COMMAND <launcher...>])
# Builds one GoogleTest program and registers it as one CTest test. Under Wine
# it passes only when it wrote its report after its last test (wine-run
# --gtest). It shares the preset's prefix (build/<preset>/wineprefix) with the
# other test programs; WINDOW runs it under Xvfb in a fresh prefix of its own
# (build/<preset>/<name>-prefix), since a prefix's wineserver keeps the display
# of the first process that started it. COMMAND puts a launcher script before
# the program (the program's path is appended as the launcher's last
# arguments).
function(zew_add_test name)
  cmake_parse_arguments(ARG "WINDOW" "" "SOURCES;LIBS;ENV;COMMAND" ${ARGN})
  zew_mark_wine_tests_of_this_directory()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest_main ${ARG_LIBS})
  set(run)
  if(WIN32 AND ARG_WINDOW)
    set(run ${CMAKE_SOURCE_DIR}/scripts/own-prefix.sh ${ZEW_WINE_ARCH} ${CMAKE_BINARY_DIR}/${name}-prefix --x --gtest)
  elseif(WIN32)
    set(run ${ZEW_WINE_RUN} --gtest)
  endif()
  if(ARG_COMMAND)
    add_test(NAME ${name} COMMAND ${ARG_COMMAND} ${run} $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${run} $<TARGET_FILE:${name}>)
  endif()
  if(WIN32 AND NOT ARG_WINDOW)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine)
  endif()
  if(ARG_ENV)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${ARG_ENV}")
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
