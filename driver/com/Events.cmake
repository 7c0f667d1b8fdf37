# Connectable-object support of the driver object (connection points, event
# firing, class information) and the monitor timer registry, with their tests.
# Included from driver/CMakeLists.txt before its Windows-only part, so the
# portable registry is built and tested in every preset.

# The monitor timer registry is portable.
add_library(zew_driver_monitor STATIC test/MonitorTimerRegistry.cpp)
target_include_directories(zew_driver_monitor PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
find_package(Threads REQUIRED)
target_link_libraries(zew_driver_monitor PUBLIC Threads::Threads)

zew_add_test(driver_monitor_tests
  SOURCES tests/MonitorTimerRegistryTest.cpp
  LIBS zew_driver_monitor)

if(WIN32)
  # The COM pieces join the library's core; when this file comes before the
  # core is declared, they join it once the directory has been read.
  set(zew_events_sources
    ${CMAKE_CURRENT_LIST_DIR}/ConnectionPoint.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ConnectionPointContainer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EventFiring.cpp)
  if(TARGET zew_driver_core)
    target_sources(zew_driver_core PRIVATE ${zew_events_sources})
    target_link_libraries(zew_driver_core PUBLIC zew_driver_monitor)
  else()
    cmake_language(DEFER CALL target_sources zew_driver_core PRIVATE ${zew_events_sources})
    cmake_language(DEFER CALL target_link_libraries zew_driver_core PUBLIC zew_driver_monitor)
  endif()

  # The class information test reads the type library of the built library
  # beside the test program.
  zew_add_test(driver_event_tests
    SOURCES tests/ConnectionPointTest.cpp tests/EventFiringTest.cpp tests/ProvideClassInfoTest.cpp
            tests/DriverTestSupport.cpp
    LIBS zew_driver_core)
  add_dependencies(driver_event_tests Zew4400)
endif()
