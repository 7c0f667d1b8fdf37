# The module-definition files of the DLLs and how their stdcall exports are
# linked.

# zew_write_def(<file> LIBRARY <name> EXPORTS <name:bytes[:ordinal]>...)
# Writes the module-definition file of a DLL. On 32-bit the exports are
# stdcall, so each names its decorated symbol (name@bytes) and the DLL is linked
# with --kill-at (zew_stdcall_exports) to export the plain name. An ordinal places the export there;
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

# zew_stdcall_exports(<target> [DLLTOOL_FLAGS <variable>])
# Makes the DLL <target> export its stdcall functions by their plain names, as
# a .def file of zew_write_def or a plain dllexport gives them: on 32-bit it is
# linked with --kill-at; on 64-bit the names are plain already. DLLTOOL_FLAGS
# sets <variable> to what dlltool needs to build a matching import library
# from the same .def file (empty on 64-bit).
function(zew_stdcall_exports target)
  cmake_parse_arguments(ARG "" "DLLTOOL_FLAGS" "" ${ARGN})
  set(flags)
  if(ZEW_WINE_ARCH STREQUAL "win32")
    target_link_options(${target} PRIVATE -Wl,--kill-at)
    set(flags --kill-at)
  endif()
  if(ARG_DLLTOOL_FLAGS)
    set(${ARG_DLLTOOL_FLAGS} ${flags} PARENT_SCOPE)
  endif()
endfunction()
