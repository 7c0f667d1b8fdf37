# Brings the win32 preset's driver package up to date for the x64 Windows
# Installer package: configures the tree with the win32 preset when it has no
# cache yet (only build/win32, the preset's own tree), then builds its
# driver_package target.
#   cmake -DSOURCE_DIR=... -DBUILD_DIR=... -P BuildWin32Package.cmake
if(NOT EXISTS ${BUILD_DIR}/CMakeCache.txt)
  if(NOT BUILD_DIR STREQUAL "${SOURCE_DIR}/build/win32")
    message(FATAL_ERROR "${BUILD_DIR} is not configured: configure it as a win32 tree first")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} --preset win32 WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "configuring the win32 preset failed")
  endif()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target driver_package RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "building the win32 preset's driver_package failed")
endif()
