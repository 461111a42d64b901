#!/bin/sh
# Where the program's libraries come from. It runs with administrator rights, often from the
# Downloads folder, where a library of a system name would otherwise be loaded in place of the
# system's. It imports only libraries that Windows always takes from the system folder (its
# KnownDLLs from Windows 7 on) or from the side-by-side store as the manifest asks (the common
# controls and GDI+), and its sources load libraries at run time only through the loader that
# asks for the system folder.
#   LibrarySourcesTest.sh <objdump> <program.exe> <source directory>
set -eu
objdump=$1
program=$2
sources=$3
allowed="advapi32.dll comctl32.dll gdi32.dll gdiplus.dll kernel32.dll msvcrt.dll ole32.dll
         oleaut32.dll rpcrt4.dll shell32.dll user32.dll ws2_32.dll"
imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' |
    tr '[:upper:]' '[:lower:]')
[ -n "$imports" ] || { echo "FAIL no import table read from $program"; exit 1; }
echo "imports:" $imports
status=0
for library in $imports; do
    case " $(echo $allowed) " in
    *" $library "*) ;;
    *)
        echo "FAIL $library is imported, and Windows may take it from the program's folder"
        status=1
        ;;
    esac
done
# The loader itself aside.
bare=$(cd "$sources" && grep -rnE '\bLoadLibrary(Ex)?[AW]?\(' app platform sync timeservice toolkit |
    grep -v '^platform/SystemFolder\.cpp:' || true)
if [ -n "$bare" ]; then
    echo "FAIL libraries loaded without asking for the system folder:"
    echo "$bare"
    status=1
fi
exit $status
