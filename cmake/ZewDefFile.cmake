# zew_write_def(<file> LIBRARY <name> EXPORTS <name:bytes[:ordinal]>...)
# Writes the module-definition file of a DLL. On 32-bit the exports are
# stdcall, so each names its decorated symbol (name@bytes) and the DLL is linked
# with --kill-at to export the plain name. An ordinal places the export there;
# without one it is PRIVATE (reached through GetProcAddress only). The file is
# rewritten only when its text changes, so configuring again relinks nothing.
function(zew_write_def file)
  cmake_parse_arguments(ARG "" "LIBRARY" "EXPORTS" ${ARGN})
  set(def "LIBRARY ${ARG_LIBRARY}\nEXPORTS\n")
  foreach(entry IN LISTS ARG_EXPORTS)
    string(REPLACE ":" ";" parts ${entry})
    list(GET parts 0 name)
    list(GET parts 1 bytes)
    list(LENGTH parts count)
    if(count GREATER 2)
      list(GET parts 2 ordinal)
      set(placement "@${ordinal}")
    else()
      set(placement "PRIVATE")
    endif()
    if(ZEW_WINE_ARCH STREQUAL "win32")
      string(APPEND def "    ${name}@${bytes} ${placement}\n")
    else()
      string(APPEND def "    ${name} ${placement}\n")
    endif()
  endforeach()
  file(WRITE ${file}.new "${def}")
  configure_file(${file}.new ${file} COPYONLY)
endfunction()
