# The product package: a folder (and a zip of it) with Setup.exe, the driver,
# its help file, its type library and its install list, ready to hand to a
# test PC, and an SDK folder for C++ clients: the header and GUID file made
# from the type library, and the C++ examples; and every example in Examples.
# The stand-in VISA32.DLL is never part of it: it would replace the PC's real
# VISA library.
#
# The package's driver and Setup.exe are stripped; their debug information
# goes to ZEW4400.OCX.debug and Setup.exe.debug (each binary names its file in
# a debug link), zipped beside the package as ...-symbols.zip with the same
# top folder, so that both unpacked in one place put the symbols beside the
# binaries. The build tree's own binaries keep their debug information.
# Given a certificate, both binaries are signed after stripping. The zips are
# named by the driver's file version and, unsigned, depend on the commit alone.
#
# Signing (paths only; the password stays in its file):
#   ZEW_SIGN_PKCS12          the certificate and key, PKCS#12
#   ZEW_SIGN_PASSWORD_FILE   a file holding the PKCS#12 password
#   ZEW_SIGN_TIMESTAMP_URL   an RFC 3161 time-stamp server (optional)
# Each defaults to the environment variable of its name at the first configure.
set(ZEW_SIGN_PKCS12 "$ENV{ZEW_SIGN_PKCS12}" CACHE FILEPATH "PKCS#12 file to sign the package's binaries with")
set(ZEW_SIGN_PASSWORD_FILE "$ENV{ZEW_SIGN_PASSWORD_FILE}" CACHE FILEPATH "file holding the PKCS#12 password")
set(ZEW_SIGN_TIMESTAMP_URL "$ENV{ZEW_SIGN_TIMESTAMP_URL}" CACHE STRING "RFC 3161 time-stamp server for the signatures")
if(ZEW_SIGN_PKCS12 AND NOT ZEW_SIGN_PASSWORD_FILE)
  message(FATAL_ERROR "ZEW_SIGN_PKCS12 needs ZEW_SIGN_PASSWORD_FILE, a file holding its password")
endif()
# Changing the signing settings makes the package again.
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/package-signing.txt
  CONTENT "${ZEW_SIGN_PKCS12}\n${ZEW_SIGN_PASSWORD_FILE}\n${ZEW_SIGN_TIMESTAMP_URL}\n")

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(package_name Zew4400-${ZEW_FILE_VERSION}-${ZEW_WINE_ARCH})
set(package_dir ${CMAKE_BINARY_DIR}/package/Zew4400)
set(package_zip ${CMAKE_BINARY_DIR}/package/${package_name}.zip)
set(symbols_dir ${CMAKE_BINARY_DIR}/package/symbols/Zew4400)
set(symbols_zip ${CMAKE_BINARY_DIR}/package/${package_name}-symbols.zip)
set(with_source_date ${CMAKE_SOURCE_DIR}/cmake/with-source-date.sh)
set(make_zip ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/make-zip.py)
set(sign_files ${CMAKE_CURRENT_LIST_DIR}/sign-files.sh)
# strip_copy(<variable> <binary> <packaged name>): the commands that put the
# binary's debug information into symbols_dir and a stripped copy with a
# debug link into the package. objcopy stamps the PE files it writes with the
# current time unless SOURCE_DATE_EPOCH names one: 0, as the linker leaves it.
set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
function(strip_copy variable binary name)
  set(${variable}
    COMMAND ${objcopy} --only-keep-debug ${binary} ${symbols_dir}/${name}.debug
    COMMAND ${objcopy} --strip-all --add-gnu-debuglink=${symbols_dir}/${name}.debug ${binary} ${package_dir}/${name}
    PARENT_SCOPE)
endfunction()
strip_copy(strip_setup $<TARGET_FILE:Setup> Setup.exe)
strip_copy(strip_driver $<TARGET_FILE:Zew4400> ZEW4400.OCX)
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
  OUTPUT ${package_zip} ${symbols_zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${package_dir} ${symbols_dir}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${package_zip} ${symbols_zip} ${CMAKE_BINARY_DIR}/package/Zew4400-${ZEW_WINE_ARCH}.zip
  COMMAND ${CMAKE_COMMAND} -E make_directory ${package_dir} ${symbols_dir}
  ${strip_setup}
  ${strip_driver}
  COMMAND ${sign_files} "${ZEW_SIGN_PKCS12}" "${ZEW_SIGN_PASSWORD_FILE}" "${ZEW_SIGN_TIMESTAMP_URL}"
          ${package_dir}/Setup.exe ${package_dir}/ZEW4400.OCX
  COMMAND ${CMAKE_COMMAND} -E copy ${ZEW_IDL_OUTPUT_DIR}/Zew4400Lib.tlb ${package_dir}/ZEW4400.TLB
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_BINARY_DIR}/SETUP.LST ${package_dir}/SETUP.LST
  COMMAND ${CMAKE_COMMAND} -E copy ${ZEW_HELP_CHM} ${package_dir}/ZEW4400.CHM
  COMMAND ${CMAKE_COMMAND} -E make_directory ${package_dir}/SDK
  COMMAND ${CMAKE_COMMAND} -E copy ${sdk_files} ${package_dir}/SDK
  ${example_copies}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/examples/README.md ${package_dir}/Examples
  COMMAND ${with_source_date} ${CMAKE_SOURCE_DIR} ${make_zip} ${package_zip} ${package_dir}
  COMMAND ${with_source_date} ${CMAKE_SOURCE_DIR} ${make_zip} ${symbols_zip} ${symbols_dir}
  DEPENDS Setup Zew4400 zew_driver_idl ${ZEW_IDL_OUTPUT_DIR}/Zew4400Lib.tlb ${sdk_files}
          ${CMAKE_CURRENT_BINARY_DIR}/SETUP.LST ${ZEW_HELP_CHM} zew_help ${example_files}
          ${CMAKE_CURRENT_LIST_DIR}/make-zip.py ${sign_files} ${with_source_date}
          ${CMAKE_CURRENT_BINARY_DIR}/package-signing.txt
  COMMENT "Laying out the driver package in ${package_dir}"
  VERBATIM)
add_custom_target(driver_package ALL DEPENDS ${package_zip} ${symbols_zip})

# From the laid-out folder, an unattended install into a fresh Wine prefix
# leaves the driver creatable by its ProgID.
add_test(NAME setup_package_test
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tests/package-test.sh ${ZEW_WINE_ARCH} ${package_dir}
          ${CMAKE_BINARY_DIR}/package-test-prefix $<TARGET_FILE_DIR:VISA32_dll>)
set_tests_properties(setup_package_test PROPERTIES TIMEOUT 600)

# The package as shipped, without running it: names, versions, stripped
# binaries, symbols that resolve an address, zips that hold the folders.
add_test(NAME setup_package_contents_test
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tests/package-contents-test.sh ${ZEW_WINE_ARCH} ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
# Two unsigned builds from nothing give the same bytes; a build with a
# throwaway certificate signs both binaries. Each builds only the package, in
# trees of its own inside this one.
add_test(NAME setup_package_reproducible_test
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tests/package-build-test.sh reproducible ${CMAKE_SOURCE_DIR} ${CMAKE_TOOLCHAIN_FILE}
          ${CMAKE_BINARY_DIR}/package-reproducible)
add_test(NAME setup_package_signing_test
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tests/package-build-test.sh signing ${CMAKE_SOURCE_DIR} ${CMAKE_TOOLCHAIN_FILE}
          ${CMAKE_BINARY_DIR}/package-signing)
set_tests_properties(setup_package_reproducible_test setup_package_signing_test PROPERTIES TIMEOUT 1800)
