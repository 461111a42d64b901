#!/bin/sh
# "/t" under the ANSI code page UTF-8 writes its record beside a copy of the program in a
# directory whose name holds a letter that single-byte code pages lack; the exact conversion's
# checks then run under that code page too.
# Wine takes the ANSI code page from the Unix locale, not from the registry, and gives UTF-8 to
# a Windows locale without an ANSI code page of its own: Hindi (India). Its Unix side is glibc's
# C.UTF-8 under that name, so that file names stay UTF-8 without generating a locale. A Wine
# prefix of its own keeps the locale away from the tests that share the build's prefix.
#   Utf8CodePageTest.sh <Chronalign.exe> <platform_tests.exe> <the project's version>
set -eu

program=$1
unit_tests=$2
version=$3
wine=/usr/lib/wine/wine64
c_utf8=/usr/lib/locale/C.utf8

if [ ! -d "$c_utf8" ]; then
    echo "FAILED: glibc's C.UTF-8 locale is not at $c_utf8"
    exit 1
fi
scratch=$(mktemp -d "${TMPDIR:-/tmp}/chronalign-utf8.XXXXXX")
export WINEPREFIX="$scratch"/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir "$scratch"/locale
ln -s "$c_utf8" "$scratch"/locale/hi_IN.UTF-8
export LOCPATH="$scratch"/locale LC_ALL=hi_IN.UTF-8
# No window is wanted here.
unset DISPLAY

status=0
finish() {
    # A command that failed under "set -e" fails the test as well.
    [ $? = 0 ] || status=1
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
    exit "$status"
}
trap finish EXIT

fail() {
    echo "FAILED: $*"
    status=1
}

"$wine" wineboot --init >/dev/null 2>&1

directory="$scratch/tāst"
mkdir "$directory"
cp "$program" "$directory"/Chronalign.exe
code=0
"$wine" "$directory"/Chronalign.exe /t || code=$?
[ "$code" = 0 ] || fail "exit code $code"
uid=$(sed -n 's/^uid=\([0-9A-F]\{12,24\}\)\r$/\1/p' "$directory"/tockwell.ini 2>/dev/null)
printf '[common]\r\npid=120\r\nuid=%s\r\nver=%s\r\n\r\n' "$uid" "$version" >"$scratch"/expected
if [ -n "$uid" ] && cmp -s "$scratch"/expected "$directory"/tockwell.ini; then
    echo "ok   the record in $directory"
else
    fail "no record of the expected form in $directory"
fi

# A filter that matches nothing exits with 0 as well: some checks must have run, and passed.
code=0
"$wine" "$unit_tests" --gtest_filter='ToAnsiExactly.*' >"$scratch"/checks 2>&1 || code=$?
cat "$scratch"/checks
ran=$(tr -d '\r' <"$scratch"/checks | sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\.$/\1/p')
[ "$code" = 0 ] && [ "${ran:-0}" -gt 0 ] || fail "the conversion checks under UTF-8"
