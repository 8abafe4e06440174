# Delay-loaded DLLs: runvo_delay_load(target dll...) links target against
# delay-import libraries made from platform/<dll>.def, so that each DLL is
# loaded on the first call into it rather than at process start.
#
# On x86_64 the thunk that each DLL's stubs jump to on a first call is
# platform/delaythunk.S, not dlltool's: dlltool's keeps RCX, RDX, R8 and R9
# for the call but not XMM0-XMM3, which the x64 calling convention passes
# arguments in too. dlltool's thunk is taken out of the library's head, which
# keeps the DLL's descriptor, as the read-only data it is rather than amid
# the code, where the unwind tables would not cover it; the library is made
# in the build folder under a plain name, so that the symbols it names are
# lib<dll>_delay_a's.
find_program(RUNVO_DLLTOOL NAMES ${RUNVO_MINGW_ARCH}-w64-mingw32-dlltool REQUIRED)
find_program(RUNVO_OBJCOPY NAMES ${RUNVO_MINGW_ARCH}-w64-mingw32-objcopy REQUIRED)
find_program(RUNVO_AR NAMES ${RUNVO_MINGW_ARCH}-w64-mingw32-ar REQUIRED)

function(runvo_delay_load target)
  foreach(dll ${ARGN})
    set(def ${PROJECT_SOURCE_DIR}/platform/${dll}.def)
    set(name lib${dll}_delay.a)
    set(lib ${CMAKE_CURRENT_BINARY_DIR}/${name})
    set(thunk)
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
      set(head lib${dll}_delay_a_h.o)
      set(thunk
        COMMAND ${RUNVO_AR} x ${name} ${head}
        COMMAND ${RUNVO_OBJCOPY} --remove-section=.text --remove-section=.pdata
                --remove-section=.xdata --strip-symbol=__tailMerge_lib${dll}_delay_a
                --rename-section .text$2=.rdata$2,alloc,load,readonly,data,contents ${head}
        COMMAND ${RUNVO_AR} r ${name} ${head})
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
    add_custom_command(OUTPUT ${lib}
      COMMAND ${CMAKE_COMMAND} -E rm -f ${name}
      COMMAND ${RUNVO_DLLTOOL} ${kill_at} --input-def ${def_used} --output-delaylib ${name}
      ${thunk}
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      DEPENDS ${def_used} ${def}
      VERBATIM)
    add_custom_target(${target}_${dll}_delay DEPENDS ${lib})
    add_dependencies(${target} ${target}_${dll}_delay)
    # Ahead of the import libraries that -mwindows adds.
    target_link_libraries(${target} PRIVATE ${lib})
  endforeach()
  if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/platform/delaythunk.S)
  endif()
endfunction()
