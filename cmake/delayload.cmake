# Delay-loaded DLLs: runvo_delay_load(target dll...) links target against
# delay-import libraries made from platform/<dll>.def, so that each DLL is
# loaded on the first call into it rather than at process start.
find_program(RUNVO_DLLTOOL NAMES ${RUNVO_MINGW_ARCH}-w64-mingw32-dlltool REQUIRED)
find_program(RUNVO_OBJCOPY NAMES ${RUNVO_MINGW_ARCH}-w64-mingw32-objcopy REQUIRED)

function(runvo_delay_load target)
  foreach(dll ${ARGN})
    set(def ${PROJECT_SOURCE_DIR}/platform/${dll}.def)
    set(lib ${CMAKE_CURRENT_BINARY_DIR}/lib${dll}_delay.a)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      set(def_used ${def})
      set(kill_at --kill-at) # import by the plain name
    else()
      # x86_64 has no stdcall decoration: a .def without the sizes.
      set(def_used ${CMAKE_CURRENT_BINARY_DIR}/${dll}.def)
      file(READ ${def} text)
      string(REGEX REPLACE "@[0-9]+" "" text "${text}")
      file(WRITE ${def_used} "${text}")
      set(kill_at)
    endif()
    set(strip)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      # The unwind tables of the thunk that calls the helper: 36 bytes that
      # took two sections of the file, 1 KiB. Only an exception that no
      # frame handles would unwind through it, and that ends the process
      # either way.
      set(strip COMMAND ${RUNVO_OBJCOPY} --remove-section=.pdata --remove-section=.xdata ${lib})
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
    add_custom_command(OUTPUT ${lib}
      COMMAND ${RUNVO_DLLTOOL} ${kill_at} --input-def ${def_used} --output-delaylib ${lib}
      ${strip}
      DEPENDS ${def_used} ${def}
      VERBATIM)
    add_custom_target(${target}_${dll}_delay DEPENDS ${lib})
    add_dependencies(${target} ${target}_${dll}_delay)
    # Ahead of the import libraries that -mwindows adds.
    target_link_libraries(${target} PRIVATE ${lib})
  endforeach()
endfunction()
