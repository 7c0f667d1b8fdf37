# zew_delay_load(<target> <dll> <function:bytes>...)
# Links <target> to the listed functions of <dll> through a delay-import
# library: the DLL is loaded at the first call of one of them, by the library
# search the program has set by then, rather than by the loader before the
# program's first line runs (which searches the program's own folder first).
# GNU ld has no --delayload, so dlltool writes the delay-import library from a
# module-definition file of the functions; `bytes` is a function's stdcall
# argument size, which names its decorated symbol on 32-bit. dlltool names
# the library's members after its process id unless given a prefix, and a
# symbol after the path it writes: a fixed prefix and a path relative to the
# build folder keep the program's symbol table the same in every build.
# mingw-w64's CRT (libmingwex) provides the helper, __delayLoadHelper2.
function(zew_delay_load target dll)
  get_filename_component(stem ${dll} NAME_WE)
  string(TOLOWER ${stem} stem)
  set(def ${CMAKE_CURRENT_BINARY_DIR}/${target}-${stem}-delay.def)
  set(lib ${CMAKE_CURRENT_BINARY_DIR}/lib${target}-${stem}-delay.a)
  set(text "LIBRARY ${dll}\nEXPORTS\n")
  set(keep)
  foreach(entry IN LISTS ARGN)
    string(REPLACE ":" ";" parts ${entry})
    list(GET parts 0 name)
    list(GET parts 1 bytes)
    if(ZEW_WINE_ARCH STREQUAL "win32")
      string(APPEND text "    ${name}@${bytes}\n")
      set(symbol _${name}@${bytes})
    else()
      string(APPEND text "    ${name}\n")
      set(symbol ${name})
    endif()
    # A caller that reaches a function through its import pointer (a
    # dllimport declaration) references only that pointer, and the 32-bit
    # linker then drops the thunk the pointer starts at, leaving it null: the
    # thunk is asked for by name.
    list(APPEND keep -Wl,--undefined=${symbol})
  endforeach()
  file(WRITE ${def}.new "${text}")
  configure_file(${def}.new ${def} COPYONLY)
  # On 32-bit the DLL exports the plain names of the decorated symbols.
  set(kill_at)
  if(ZEW_WINE_ARCH STREQUAL "win32")
    set(kill_at --kill-at)
  endif()
  add_custom_command(OUTPUT ${lib}
    COMMAND ${ZEW_MINGW_TRIPLE}-dlltool --input-def ${def} --dllname ${dll} --output-delaylib lib${target}-${stem}-delay.a
            ${kill_at} --temp-prefix ${target}_${stem}_delay --deterministic-libraries
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DEPENDS ${def}
    COMMENT "Writing the delay-import library of ${dll} for ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${lib})
  target_link_libraries(${target} PRIVATE ${lib})
  target_link_options(${target} PRIVATE ${keep})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${lib})
endfunction()
