# Tests of the driver library (Windows presets). They load Zew4400.ocx from
# beside the test program and watch the stand-in VISA32.DLL.

# The helpers every driver test program shares, built once: the driver loaded
# as a client loads it, its children, error descriptions, the stand-in's logs,
# the tests' own control container and dialog watcher. Every test thread is an
# apartment thread: that comes with DriverTestSupport.cpp's object, which each
# program using its helpers links.
add_library(zew_driver_test_support STATIC
  tests/DialogWatcher.cpp
  tests/DriverLoader.cpp
  tests/DriverTestSupport.cpp
  tests/TestContainer.cpp)
target_include_directories(zew_driver_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zew_driver_test_support PUBLIC zew_visa_test_support zew_handles GTest::gtest zew_driver_guids
                                                     ole32 oleaut32 uuid gdi32 user32)

zew_add_test(driver_tests
  SOURCES tests/ConnectTest.cpp tests/TransportTest.cpp tests/LockTest.cpp tests/ProcessStateTest.cpp
          tests/RegistrationTest.cpp tests/TestConditionsTest.cpp tests/TestRunTest.cpp
          tests/SystemSettingsTest.cpp tests/ConnectableTest.cpp tests/RegisterTest.cpp
          tests/MemoryTest.cpp tests/CollectionTest.cpp tests/ChildLifecycleTest.cpp
          tests/ProgramTest.cpp tests/OutOfStepTest.cpp
  LIBS zew_driver_test_support)
add_dependencies(driver_tests Zew4400 VISA32_dll)

# A machine without a VISA library, where simulated testers work all the same:
# the program and the library run from a directory of their own that holds no
# VISA32.DLL.
zew_add_test(driver_novisa_tests
  SOURCES tests/NoVisaTest.cpp
  LIBS zew_driver_test_support
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/run-without-visa.sh $<TARGET_FILE:Zew4400>)
add_dependencies(driver_novisa_tests Zew4400)

# A real automation client: Wine's script host with the registered library.
add_test(NAME driver_vbscript_test
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/vbscript-test.sh ${ZEW_WINE_ARCH} ${ZEW_CLIENT_PREFIX}
          ${CMAKE_CURRENT_SOURCE_DIR}/tests/client.vbs)
set_tests_properties(driver_vbscript_test PROPERTIES FIXTURES_REQUIRED client TIMEOUT 600)

# The driver made through its registered class, as hosts make it, in the
# client prefix where it is registered.
add_executable(driver_module_tests tests/ModuleLifetimeTest.cpp)
target_link_libraries(driver_module_tests PRIVATE GTest::gtest_main zew_driver_test_support)
add_dependencies(driver_module_tests Zew4400)
add_test(NAME driver_module_tests
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run --prefix ${ZEW_CLIENT_PREFIX} --arch ${ZEW_WINE_ARCH}
          --gtest $<TARGET_FILE:driver_module_tests>)
set_tests_properties(driver_module_tests PROPERTIES FIXTURES_REQUIRED client TIMEOUT 600)

# The automatic monitor on driver objects made in the test's own process, so
# that the test sees the monitor timer registry the objects use.
zew_add_test(driver_automonitor_tests
  SOURCES tests/AutoMonitorTest.cpp
  LIBS zew_driver_core zew_driver_test_support)
add_dependencies(driver_automonitor_tests VISA32_dll)

# The connectable-object pieces on a test object of their own.
zew_add_test(driver_event_tests
  SOURCES tests/ConnectionPointTest.cpp
  LIBS zew_driver_core)

# Several processes sharing one zew-sim through the machine-wide lock.
add_executable(zew-lock-stress-client tests/LockStressClient.cpp)
target_link_libraries(zew-lock-stress-client PRIVATE zew_driver_test_support)
add_dependencies(zew-lock-stress-client Zew4400 VISA32_dll)
add_test(NAME driver_lock_stress_test
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/lock-stress-test.sh ${ZEW_WINE_ARCH} ${CMAKE_BINARY_DIR}/lock-stress-prefix
          $<TARGET_FILE:zew-lock-stress-client> ${ZEW_NATIVE_SIM})
set_tests_properties(driver_lock_stress_test PROPERTIES TIMEOUT 900)

# The driver object as a control in the tests' own container, its property
# pages in the tests' own page site, and its About box, with windows.
zew_add_test(driver_control_tests
  SOURCES tests/ControlTest.cpp tests/PropertyPageTest.cpp
  LIBS zew_driver_test_support
  WINDOW)
add_dependencies(driver_control_tests Zew4400 VISA32_dll)

# Where the driver finds its VISA library, in a Wine prefix of its own: a
# client that links no VISA library (so it takes the driver loader alone, not
# the support library), no library at all, the stand-in in each shape, and a
# library built for the other architecture.
add_executable(zew-visa-client tests/VisaClient.cpp tests/DriverLoader.cpp)
target_link_libraries(zew-visa-client PRIVATE zew_driver_guids ole32 oleaut32 uuid)
target_include_directories(zew-visa-client PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_options(zew-visa-client PRIVATE -municode)
if(ZEW_WINE_ARCH STREQUAL "win32")
  set(other_triple x86_64-w64-mingw32)
else()
  set(other_triple i686-w64-mingw32)
endif()
set(other_arch_dll ${CMAKE_BINARY_DIR}/bin/other-arch/VISA32.DLL)
add_custom_command(OUTPUT ${other_arch_dll}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin/other-arch
  COMMAND ${other_triple}-gcc -shared -x c /dev/null -o ${other_arch_dll}
  VERBATIM)
add_custom_target(zew_other_arch_dll DEPENDS ${other_arch_dll})
add_dependencies(zew-visa-client Zew4400 VISA32_dll visa_minimal_dll visa_lacking_dll zew_other_arch_dll
                 zew-example-earlybound)
if(TARGET visa64_dll)
  add_dependencies(zew-visa-client visa64_dll)
endif()
add_test(NAME driver_visa_library_test
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/visa-library-test.sh ${ZEW_WINE_ARCH} ${CMAKE_BINARY_DIR}/visa-library-prefix
          ${CMAKE_BINARY_DIR}/bin ${other_arch_dll})
set_tests_properties(driver_visa_library_test PROPERTIES TIMEOUT 600)

# The serial link settings proven at a real port: Wine's COM5 is a
# pseudo-terminal bridged to a zew-sim, in a Wine prefix of its own.
add_test(NAME driver_serial_port_test
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/serial-port-test.sh ${ZEW_WINE_ARCH} ${CMAKE_BINARY_DIR}/serial-prefix
          ${CMAKE_BINARY_DIR}/bin ${ZEW_NATIVE_SIM})
set_tests_properties(driver_serial_port_test PROPERTIES TIMEOUT 600)

# What a process meets of the machine: the I/O trace, switched on per process
# by the environment or the registry, and the instrument lock someone else
# made. Each case runs zew-process-client in a process of its own, in a Wine
# prefix of the test's own (the cases write the user's settings and make the
# lock before any driver does).
add_executable(zew-process-client tests/ProcessClient.cpp)
target_link_libraries(zew-process-client PRIVATE zew_driver_test_support)
target_link_options(zew-process-client PRIVATE -municode)
add_dependencies(zew-process-client Zew4400 VISA32_dll)
add_executable(driver_process_tests tests/TraceTest.cpp tests/SharedLockTest.cpp tests/ProcessClientRun.cpp)
target_link_libraries(driver_process_tests PRIVATE GTest::gtest_main zew_driver_traceformat advapi32)
add_dependencies(driver_process_tests zew-process-client)
add_test(NAME driver_process_tests
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/own-prefix.sh ${ZEW_WINE_ARCH} ${CMAKE_BINARY_DIR}/process-prefix
          --gtest $<TARGET_FILE:driver_process_tests>)
set_tests_properties(driver_process_tests PROPERTIES TIMEOUT 600)
