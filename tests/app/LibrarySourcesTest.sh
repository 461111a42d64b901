#!/bin/sh
# Where the program's libraries come from, and what its headers say it is. It runs with
# administrator rights, often from the Downloads folder, where a library of a system name would
# otherwise be loaded in place of the system's. Its import table names only libraries that
# Windows 7 to 11 always take from the system folder (their KnownDLLs), since the loader
# resolves those before the program's first line; the common controls and GDI+ are loaded at
# their first call, once the search is restricted. Its sources load libraries at run time only
# through the loader that asks for the system folder. Each program's headers say Windows 7 (6.1),
# terminal-server aware, with dynamic base, NX and, on 64 bits, high-entropy addresses.
#   LibrarySourcesTest.sh <objdump> <source directory> <program.exe>...
# A program that does not exist (the 32-bit release not built) is reported as not checked.
set -eu
objdump=$1
sources=$2
shift 2
allowed="advapi32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll rpcrt4.dll
         shell32.dll user32.dll ws2_32.dll"
status=0
fail() {
    echo "FAIL $*"
    status=1
}

# One program's header field, as objdump prints it.
field() {
    printf '%s\n' "$headers" | sed -n "s/^$1[[:space:]]*//p" | head -n 1
}

for program in "$@"; do
    if [ ! -f "$program" ]; then
        echo "NOT CHECKED $program: not built"
        continue
    fi
    headers=$("$objdump" -p "$program")
    imports=$(printf '%s\n' "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' |
        tr '[:upper:]' '[:lower:]')
    [ -n "$imports" ] || fail "no import table read from $program"
    echo "$program imports:" $imports
    for library in $imports; do
        case " $(echo $allowed) " in
        *" $library "*) ;;
        *) fail "$library is imported by $program, and Windows may take it from the program's folder" ;;
        esac
    done

    format=$(printf '%s\n' "$headers" | sed -n 's/.*file format //p' | head -n 1)
    version="$(field MajorSubsystemVersion).$(field MinorSubsystemVersion)"
    echo "$program ($format): subsystem version $version," \
        "DllCharacteristics $(field DllCharacteristics):" \
        $(printf '%s\n' "$headers" | sed -n '/^DllCharacteristics/,/^[^[:space:]]/s/^[[:space:]]\+\([A-Z_]\+\)$/\1/p')
    [ "$version" = 6.1 ] || fail "$program says subsystem version $version, not 6.1"
    expected="DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE"
    [ "$format" != pei-x86-64 ] || expected="$expected HIGH_ENTROPY_VA"
    for flag in $expected; do
        printf '%s\n' "$headers" | grep -q "^[[:space:]]*$flag\$" || fail "$program lacks $flag"
    done
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
