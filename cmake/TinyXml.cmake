# TinyXML 2.6.2: built here from Debian's patched sources, or taken from an installed copy.
set(TINYXML_ROOT "" CACHE PATH
    "Installed TinyXML (include/tinyxml.h, lib/) to use instead of building the sources")
set(TINYXML_SOURCE_DIR "${CMAKE_SOURCE_DIR}/build/_deps/tinyxml-2.6.2" CACHE PATH
    "Unpacked TinyXML sources with Debian's patches applied")

if(TINYXML_ROOT)
    find_path(TINYXML_INCLUDE_DIR tinyxml.h PATHS ${TINYXML_ROOT}/include ${TINYXML_ROOT}
              NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    find_library(TINYXML_LIBRARY NAMES tinyxml tinyxmlSTL tinyxml_STL
                 PATHS ${TINYXML_ROOT}/lib ${TINYXML_ROOT}
                 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    add_library(tinyxml STATIC IMPORTED GLOBAL)
    set_target_properties(tinyxml PROPERTIES IMPORTED_LOCATION ${TINYXML_LIBRARY})
    target_include_directories(tinyxml INTERFACE ${TINYXML_INCLUDE_DIR})
    target_compile_definitions(tinyxml INTERFACE TIXML_USE_STL)
    return()
endif()

set(fetch_report "")
if(NOT EXISTS ${TINYXML_SOURCE_DIR}/tinyxml.cpp AND CMAKE_HOST_UNIX)
    execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/fetch-tinyxml.sh ${TINYXML_SOURCE_DIR}
                    RESULT_VARIABLE fetch_result
                    OUTPUT_VARIABLE fetch_output ERROR_VARIABLE fetch_output)
    if(NOT fetch_result EQUAL 0)
        set(fetch_report "\nscripts/fetch-tinyxml.sh failed (${fetch_result}):\n${fetch_output}")
    endif()
endif()
if(NOT EXISTS ${TINYXML_SOURCE_DIR}/tinyxml.cpp)
    message(FATAL_ERROR "TinyXML sources not found in ${TINYXML_SOURCE_DIR}: run "
                        "scripts/fetch-tinyxml.sh, or set TINYXML_ROOT to an installed TinyXML"
                        "${fetch_report}")
endif()

add_library(tinyxml STATIC
    ${TINYXML_SOURCE_DIR}/tinyxml.cpp
    ${TINYXML_SOURCE_DIR}/tinyxmlerror.cpp
    ${TINYXML_SOURCE_DIR}/tinyxmlparser.cpp
    ${TINYXML_SOURCE_DIR}/tinystr.cpp)
target_compile_definitions(tinyxml PUBLIC TIXML_USE_STL)
target_include_directories(tinyxml SYSTEM PUBLIC ${TINYXML_SOURCE_DIR})
