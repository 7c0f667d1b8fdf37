# The Windows Installer packages, made with wixl from the laid-out driver
# package (Package.cmake) beside the zip:
#   win32 preset: package/Zew4400-<version>-x86.msi, the 32-bit driver
#   win64 preset: package/Zew4400-<version>-x64.msi, both drivers; the 32-bit
#                 one comes from the win32 preset's tree (ZEW_WIN32_BUILD_DIR,
#                 build/win32), whose package this build brings up to date
#                 first (configuring that tree with its preset when it has no
#                 cache yet)
# Registration is registry rows: registry-rows, built for the build machine
# with its own compiler, prints those of the class table that the driver's
# DllRegisterServer runs; make-msi.py adds the type library's rows from the
# type library itself. No step runs Wine. With a certificate (Package.cmake)
# the package is signed like the binaries.
find_program(ZEW_HOST_CXX NAMES c++ g++ REQUIRED)
find_program(ZEW_WIXL wixl REQUIRED)
find_program(ZEW_MSIBUILD msibuild REQUIRED)
set(msi_dir ${CMAKE_CURRENT_LIST_DIR})
set(msi_build ${CMAKE_BINARY_DIR}/msi)
set(registry_rows_tool ${msi_build}/registry-rows)
set(registry_rows ${msi_build}/registry-rows.tsv)
file(MAKE_DIRECTORY ${msi_build})

add_custom_command(
  OUTPUT ${registry_rows_tool}
  COMMAND ${ZEW_HOST_CXX} -std=c++20 -Wall -Wextra -Wpedantic -Werror
          -I ${msi_dir}/host -I ${ZEW_IDL_OUTPUT_DIR} -I ${PROJECT_SOURCE_DIR}/driver
          -o ${registry_rows_tool} ${msi_dir}/RegistryRows.cpp ${PROJECT_SOURCE_DIR}/driver/server/RegistryScripts.cpp
  DEPENDS ${msi_dir}/RegistryRows.cpp ${msi_dir}/host/rpc.h ${msi_dir}/host/rpcndr.h
          ${PROJECT_SOURCE_DIR}/driver/server/RegistryScripts.cpp ${PROJECT_SOURCE_DIR}/driver/server/RegistryScripts.h
          ${PROJECT_SOURCE_DIR}/driver/server/ClassList.h ${PROJECT_SOURCE_DIR}/driver/com/RegistryScript.h
          ${ZEW_IDL_OUTPUT_DIR}/Zew4400Lib_i.c zew_driver_idl
  COMMENT "Building registry-rows for the build machine"
  VERBATIM)
add_custom_command(
  OUTPUT ${registry_rows}
  COMMAND ${registry_rows_tool} ${registry_rows}
  DEPENDS ${registry_rows_tool}
  COMMENT "Listing the class table's registry rows"
  VERBATIM)

set(make_msi ${Python3_EXECUTABLE} ${msi_dir}/make-msi.py --version ${ZEW_FILE_VERSION} --rows ${registry_rows}
             --wixl ${ZEW_WIXL} --msibuild ${ZEW_MSIBUILD})
set(make_msi_depends ${registry_rows} ${msi_dir}/make-msi.py ${msi_dir}/typelib_rows.py ${sign_files}
                     ${with_source_date} ${CMAKE_CURRENT_BINARY_DIR}/package-signing.txt)
if(ZEW_WINE_ARCH STREQUAL "win32")
  set(msi_arch x86)
  set(msi_packages --package32 ${package_dir})
  set(msi_package_depends ${package_zip})
else()
  set(msi_arch x64)
  set(ZEW_WIN32_BUILD_DIR ${PROJECT_SOURCE_DIR}/build/win32 CACHE PATH
      "the win32 preset's build tree, whose 32-bit driver the x64 Windows Installer package holds")
  set(win32_package ${ZEW_WIN32_BUILD_DIR}/package/Zew4400)
  add_custom_target(zew_win32_driver_package
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DBUILD_DIR=${ZEW_WIN32_BUILD_DIR}
            -P ${msi_dir}/BuildWin32Package.cmake
    COMMENT "Bringing the win32 preset's driver package up to date (${ZEW_WIN32_BUILD_DIR})"
    VERBATIM)
  set(msi_packages --package32 ${win32_package} --package64 ${package_dir})
  set(msi_package_depends ${package_zip} ${ZEW_WIN32_BUILD_DIR}/package/Zew4400-${ZEW_FILE_VERSION}-win32.zip)
endif()
set(msi_file ${CMAKE_BINARY_DIR}/package/Zew4400-${ZEW_FILE_VERSION}-${msi_arch}.msi)
if(ZEW_SIGN_PKCS12)
  set(sign_msi COMMAND ${sign_files} "${ZEW_SIGN_PKCS12}" "${ZEW_SIGN_PASSWORD_FILE}" "${ZEW_SIGN_TIMESTAMP_URL}" ${msi_file})
else()
  set(sign_msi COMMAND ${CMAKE_COMMAND} -E echo "driver_msi: not signed (no certificate: set ZEW_SIGN_PKCS12 and ZEW_SIGN_PASSWORD_FILE to sign)")
endif()
add_custom_command(
  OUTPUT ${msi_file}
  COMMAND ${with_source_date} --frozen-clock ${PROJECT_SOURCE_DIR}
          ${make_msi} --arch ${msi_arch} ${msi_packages} --out ${msi_file} --wxs ${msi_build}/Zew4400-${msi_arch}.wxs
  ${sign_msi}
  DEPENDS ${make_msi_depends} ${msi_package_depends} driver_package
  COMMENT "Making the Windows Installer package ${msi_file}"
  VERBATIM)
add_custom_target(driver_msi ALL DEPENDS ${msi_file})
if(TARGET zew_win32_driver_package)
  add_dependencies(driver_msi zew_win32_driver_package)
endif()

# The package as built: version, upgrade, files and registry rows, and the
# same bytes from the same inputs (no Wine; skipped like every test of the
# preset where its programs cannot run).
if(msi_arch STREQUAL "x64")
  set(msi_test_packages ${win32_package} ${package_dir})
else()
  set(msi_test_packages ${package_dir})
endif()
add_test(NAME setup_msi_contents_test
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/setup/tests/msi-contents-test.py ${ZEW_WINE_ARCH} ${msi_file} ${registry_rows}
          ${msi_test_packages})
# Installed in fresh prefixes: the client runs a test and the registry rows
# are regsvr32's; an older version then this one, repair, removal; and for
# the x64 package, 32- and 64-bit clients side by side.
set(msi_tests install lifecycle)
if(msi_arch STREQUAL "x64")
  list(APPEND msi_tests both)
endif()
foreach(test ${msi_tests})
  add_test(NAME setup_msi_${test}_test
    COMMAND ${PROJECT_SOURCE_DIR}/setup/tests/msi-test.sh ${test} ${ZEW_WINE_ARCH} ${msi_file}
            ${CMAKE_BINARY_DIR}/msi-${test}-prefix ${registry_rows} ${msi_test_packages})
  set_tests_properties(setup_msi_${test}_test PROPERTIES TIMEOUT 900)
endforeach()
