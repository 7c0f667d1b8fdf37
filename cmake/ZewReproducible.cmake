# Windows binaries that depend only on the sources: no link time stamp, and no
# path of this machine in the debug information or in __FILE__. The source
# tree appears as /zew4400 and the build tree as /zew4400-build, whatever
# folders they are in (the build tree may lie inside the source tree, so its
# mapping is given last: GCC tries the last one first).
if(WIN32)
  add_compile_options(
    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=/zew4400>"
    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=/zew4400-build>")
  add_link_options(-Wl,--no-insert-timestamp)
endif()
