# Packages the program into its installer: takes the program's debug information out, signs it
# when a signing command is given, and has makensis build the installer, which signs the
# uninstaller and itself with the same command. The build runs it for the target's installer,
# and the installer's tests for installers of other versions, architectures or signatures.
#   cmake -DMAKENSIS=<makensis> -DSTRIP=<strip> -DSCRIPT=<Chronalign.nsi> -DPROGRAM=<Chronalign.exe>
#         -DICON=<.ico> [-DWELCOME_BITMAP=<.bmp> -DHEADER_BITMAP=<.bmp>] -DVERSION=<a.b.c.d>
#         -DARCH=<x64|x86> -DPACKAGED=<the stripped copy> -DOUTFILE=<setup.exe>
#         [-DSIGN_COMMAND=<command line, %1 standing for the file to sign in place>] -P Package.cmake
function(run)
    execute_process(COMMAND ${ARGN} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

run(${STRIP} -o ${PACKAGED} ${PROGRAM})
set(defines -DVERSION=${VERSION} -DARCH=${ARCH} -DPROGRAM=${PACKAGED} -DICON=${ICON}
            -DOUTFILE=${OUTFILE})
if(WELCOME_BITMAP)
    list(APPEND defines -DMUI_WELCOMEFINISHPAGE_BITMAP=${WELCOME_BITMAP}
                        -DMUI_HEADERIMAGE_BITMAP=${HEADER_BITMAP})
endif()
if(SIGN_COMMAND)
    string(REPLACE "%1" "${PACKAGED}" sign "${SIGN_COMMAND}")
    separate_arguments(sign NATIVE_COMMAND "${sign}")
    run(${sign})
    list(APPEND defines "-DSIGN_COMMAND=${SIGN_COMMAND}")
endif()
# -WX: a warning fails the build, as it does for the code.
run(${MAKENSIS} -V2 -WX ${defines} ${SCRIPT})
