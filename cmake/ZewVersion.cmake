# The product's version, from the one number of project(): the version
# resources of the driver and of Setup.exe and the package's name take it from
# here. The file version is the project version (major.minor.patch.build); the
# product version is the same with build 0. The type library keeps a version
# of its own.
#   ZEW_FILE_VERSION      e.g. 1.54.0.1
#   ZEW_PRODUCT_VERSION   e.g. 1.54.0.0
#   ZEW_VERSION_INCLUDE_DIR   the folder of the generated ZewVersion.h
set(ZEW_FILE_VERSION ${PROJECT_VERSION})
set(ZEW_PRODUCT_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
string(REPLACE "." "," ZEW_FILE_VERSION_COMMAS ${ZEW_FILE_VERSION})
string(REPLACE "." "," ZEW_PRODUCT_VERSION_COMMAS ${ZEW_PRODUCT_VERSION})
set(ZEW_VERSION_SHORT ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
set(ZEW_VERSION_INCLUDE_DIR ${CMAKE_BINARY_DIR}/version)
configure_file(${CMAKE_CURRENT_LIST_DIR}/ZewVersion.h.in ${ZEW_VERSION_INCLUDE_DIR}/ZewVersion.h @ONLY)
