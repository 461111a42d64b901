# Windows test programs run under Wine, in a prefix of this build tree created on first use.
if(CMAKE_CROSSCOMPILING)
    set(CHRONALIGN_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    configure_file(${CMAKE_SOURCE_DIR}/scripts/wine-run.in ${CMAKE_BINARY_DIR}/wine-run
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
                   @ONLY)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
    # The Unix libraries that a Wine process of this target's programs loads.
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(CHRONALIGN_MULTIARCH x86_64-linux-gnu)
    else()
        set(CHRONALIGN_MULTIARCH i386-linux-gnu)
    endif()
endif()
