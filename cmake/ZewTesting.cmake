# GoogleTest from Debian's sources, built with the preset's own compiler, and
# the helpers that register test programs with CTest. Windows test programs run
# under Wine in a prefix of their own inside the build tree.
enable_testing()

set(ZEW_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${ZEW_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

if(WIN32)
  set(ZEW_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(ZEW_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run
      --prefix ${ZEW_WINE_PREFIX} --arch ${ZEW_WINE_ARCH})
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZEW_WINE_RUN})

  # The prefix is created before the first Wine test and its wineserver is
  # shut down after the last, so nothing lingers after ctest.
  add_test(NAME wine_prefix_up COMMAND ${ZEW_WINE_RUN} --init)
  add_test(NAME wine_prefix_down COMMAND ${ZEW_WINE_RUN} --shutdown)
  set_tests_properties(wine_prefix_up PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine_prefix_down PROPERTIES FIXTURES_CLEANUP wine)
endif()

# zew_add_test(<name> SOURCES <files...> [LIBS <targets...>] [WINDOW] [ENV <VAR=value...>]
#              [COMMAND <launcher...>])
# Builds one GoogleTest program and registers it as one CTest test. WINDOW runs
# it under Xvfb. COMMAND puts a launcher script before the program (the
# program's path is appended as the launcher's last arguments).
function(zew_add_test name)
  cmake_parse_arguments(ARG "WINDOW" "" "SOURCES;LIBS;ENV;COMMAND" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest_main ${ARG_LIBS})
  set(run)
  if(WIN32)
    set(run ${ZEW_WINE_RUN})
    if(ARG_WINDOW)
      list(APPEND run --x)
    endif()
  endif()
  if(ARG_COMMAND)
    add_test(NAME ${name} COMMAND ${ARG_COMMAND} ${run} $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${run} $<TARGET_FILE:${name}>)
  endif()
  if(WIN32)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine)
  endif()
  if(ARG_ENV)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${ARG_ENV}")
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
