# Import libraries whose DLL is loaded at the first call into it rather than by the loader at
# start. The program restricts the library search first thing in wWinMain; a DLL in the static
# import table would be loaded, and its own imports resolved, before that, with the program's
# folder searched first. Each such library is made from the MinGW import library of the same
# name, so every function of the DLL stays available; MinGW's run-time library holds the helper
# (__delayLoadHelper2) that loads the DLL by name at the first call, with the search already
# restricted and the manifest's side-by-side redirection applied.
#
#   chronalign_delay_import(<target> <library name> <dll>)
# defines the interface library <target> that links the delay-loading import library.

find_program(CHRONALIGN_DLLTOOL ${MINGW_TRIPLE}-dlltool REQUIRED)

function(chronalign_delay_import target library dll)
    find_library(import_library_${library} ${library} REQUIRED NO_CACHE)
    set(output ${CMAKE_BINARY_DIR}/delay-import/lib${library}-delay.a)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(x86 ON)
    else()
        set(x86 OFF)
    endif()
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CHRONALIGN_DLLTOOL}
                -DIMPORT_LIBRARY=${import_library_${library}} -DDLL=${dll} -DOUTPUT=${output}
                -DX86=${x86}
                -P ${PROJECT_SOURCE_DIR}/cmake/MakeDelayImport.cmake
        DEPENDS ${import_library_${library}} ${PROJECT_SOURCE_DIR}/cmake/MakeDelayImport.cmake
        COMMENT "Making the delay-loading import library of ${dll}"
        VERBATIM)
    add_custom_target(${target}_library DEPENDS ${output})
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${output})
    add_dependencies(${target} ${target}_library)
endfunction()
