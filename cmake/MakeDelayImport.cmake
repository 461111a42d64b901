# Writes a delay-loading import library for every function that a MinGW import library names.
#   cmake -DNM=<nm> -DDLLTOOL=<dlltool> -DIMPORT_LIBRARY=<libx.a> -DDLL=<x.dll>
#         -DOUTPUT=<libx-delay.a> -DX86=<ON for 32 bits> -P MakeDelayImport.cmake

execute_process(COMMAND ${NM} --defined-only ${IMPORT_LIBRARY} OUTPUT_VARIABLE symbols
                COMMAND_ERROR_IS_FATAL ANY)
# The import pointers: "__imp_Name" on 64 bits, "__imp__Name@bytes" for 32-bit stdcall.
string(REGEX MATCHALL "[^\n]* I __imp_[^\n]*" pointers "${symbols}")
set(exports "")
foreach(pointer IN LISTS pointers)
    string(REGEX REPLACE ".* I __imp_" "" name "${pointer}")
    list(APPEND exports "${name}")
endforeach()
if(NOT exports)
    message(FATAL_ERROR "${IMPORT_LIBRARY} names no functions")
endif()
list(REMOVE_DUPLICATES exports)
set(options "")
if(X86)
    # 32 bits: every symbol carries the leading underscore that dlltool adds itself, and the
    # DLL exports each stdcall name without its "@bytes".
    list(TRANSFORM exports REPLACE "^_" "")
    set(options --kill-at)
endif()
list(JOIN exports "\n" lines)
get_filename_component(directory ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${directory})
file(WRITE ${OUTPUT}.def "LIBRARY ${DLL}\nEXPORTS\n${lines}\n")
# From the output's folder: dlltool names the library's internal symbols after the path given.
get_filename_component(file_name ${OUTPUT} NAME)
execute_process(COMMAND ${DLLTOOL} ${options} --input-def ${file_name}.def
                        --output-delaylib ${file_name}
                WORKING_DIRECTORY ${directory} COMMAND_ERROR_IS_FATAL ANY)
