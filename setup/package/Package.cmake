# The product package: a folder (and a zip of it) with Setup.exe, the driver,
# its help file, its type library and its install list, ready to hand to a
# test PC, and an SDK folder for C++ clients: the header and GUID file made
# from the type library, and the C++ examples; and every example in Examples.
# The stand-in VISA32.DLL is never part of it: it would replace the PC's real
# VISA library.

set(package_dir ${CMAKE_BINARY_DIR}/package/Zew4400)
set(package_zip ${CMAKE_BINARY_DIR}/package/Zew4400-${ZEW_WINE_ARCH}.zip)
set(sdk_files
  ${ZEW_IDL_OUTPUT_DIR}/Zew4400Lib.h
  ${ZEW_IDL_OUTPUT_DIR}/Zew4400Lib_i.c
  ${CMAKE_SOURCE_DIR}/examples/cpp/ComSupport.h
  ${CMAKE_SOURCE_DIR}/examples/cpp/EarlyBound.cpp
  ${CMAKE_SOURCE_DIR}/examples/cpp/LateBound.cpp
  ${CMAKE_SOURCE_DIR}/examples/cpp/Events.cpp)
# Every example, a folder per language.
set(example_copies)
foreach(language vbscript jscript vba python cpp)
  list(APPEND example_copies COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/examples/${language}
       ${package_dir}/Examples/${language})
endforeach()
file(GLOB_RECURSE example_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/examples/*)
configure_file(${CMAKE_CURRENT_LIST_DIR}/SETUP.LST.in ${CMAKE_CURRENT_BINARY_DIR}/SETUP.LST @ONLY NEWLINE_STYLE CRLF)

add_custom_command(
  OUTPUT ${package_zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${package_dir}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${package_dir}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Setup> ${package_dir}/Setup.exe
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Zew4400> ${package_dir}/ZEW4400.OCX
  COMMAND ${CMAKE_COMMAND} -E copy ${ZEW_IDL_OUTPUT_DIR}/Zew4400Lib.tlb ${package_dir}/ZEW4400.TLB
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_BINARY_DIR}/SETUP.LST ${package_dir}/SETUP.LST
  COMMAND ${CMAKE_COMMAND} -E copy ${ZEW_HELP_CHM} ${package_dir}/ZEW4400.CHM
  COMMAND ${CMAKE_COMMAND} -E make_directory ${package_dir}/SDK
  COMMAND ${CMAKE_COMMAND} -E copy ${sdk_files} ${package_dir}/SDK
  ${example_copies}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/examples/README.md ${package_dir}/Examples
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/package
          ${CMAKE_COMMAND} -E tar cf ${package_zip} --format=zip Zew4400
  DEPENDS Setup Zew4400 zew_driver_idl ${ZEW_IDL_OUTPUT_DIR}/Zew4400Lib.tlb ${sdk_files}
          ${CMAKE_CURRENT_BINARY_DIR}/SETUP.LST ${ZEW_HELP_CHM} zew_help ${example_files}
  COMMENT "Laying out the driver package in ${package_dir}"
  VERBATIM)
add_custom_target(driver_package ALL DEPENDS ${package_zip})

# From the laid-out folder, an unattended install into a fresh Wine prefix
# leaves the driver creatable by its ProgID.
add_test(NAME setup_package_test
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tests/package-test.sh ${ZEW_WINE_ARCH} ${package_dir}
          ${CMAKE_BINARY_DIR}/package-test-prefix $<TARGET_FILE_DIR:VISA32_dll>)
set_tests_properties(setup_package_test PROPERTIES TIMEOUT 600)
