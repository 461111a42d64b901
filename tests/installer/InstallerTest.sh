#!/bin/sh
# The installer, run silently under Wine in a fresh 64-bit prefix of its own (created once per
# run): the install and its record, the Add/Remove Programs entry, a reinstall, a move into a
# directory with blanks and non-ASCII letters, and the uninstaller, which ends a running copy
# and takes away exactly what was installed. The x64 installer goes into the 64-bit Program
# Files and registry view, the x86 one into their 32-bit counterparts of the 64-bit prefix.
#   InstallerTest.sh <setup.exe> <version> <x64|x86> <wine-run> <InstanceHolder.exe> <prefix>
set -eu

# Wine and xdotool must see the same display.
if [ -z "${DISPLAY:-}" ]; then
    exec "$(dirname "$0")/../../scripts/with-display.sh" sh "$0" "$@"
fi

installer=$1
version=$2
architecture=$3
wine_run=$4
holder=$5
prefix=$6

# Wine reads non-ASCII arguments in the locale's charset.
export LC_ALL=C.UTF-8
export CHRONALIGN_WINEPREFIX="$prefix" WINEPREFIX="$prefix" WINEDEBUG=-all
# No menu entries for the shortcut in the home directory of the machine.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

# The keys are read where they are stored, in the 64-bit view.
native_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
wow64_key='HKLM\Software\WOW6432Node\Microsoft\Windows\CurrentVersion\Uninstall'
if [ "$architecture" = x64 ]; then
    windows_program_files='C:\Program Files'
    other_program_files='Program Files (x86)'
    uninstall_key=$native_key
    other_key=$wow64_key
else
    windows_program_files='C:\Program Files (x86)'
    other_program_files='Program Files'
    uninstall_key=$wow64_key
    other_key=$native_key
fi
program_files="$prefix/drive_c/${windows_program_files#C:\\}"
shortcut="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tavemark Chronalign.lnk"
default_dir="$windows_program_files\Tavemark Chronalign"
other_dir="$windows_program_files\Tavemark Zeitgeber ä"

work=$(mktemp -d "${TMPDIR:-/tmp}/chronalign-installer.XXXXXX")
failures=0
reported=0
fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}
# Reports the step that just ended: ok when it failed no check.
passed() {
    if [ "$failures" = "$reported" ]; then
        echo "ok   $*"
    fi
    reported=$failures
}

finish() {
    # A command that failed under "set -e" fails the test as well.
    [ $? = 0 ] || failures=$((failures + 1))
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$work"
    echo "$failures failed"
    # The prefix is kept for a look after a failure; the next run starts afresh anyway.
    [ "$failures" != 0 ] || rm -rf "$prefix"
    exit $((failures != 0))
}
trap finish EXIT

# The installer, silently. "/D=" must be the last argument and unquoted, as NSIS wants it, so
# the directory is split at its blanks into words that Wine joins again.
install() {
    status=0
    if [ $# = 0 ]; then
        "$wine_run" "$installer" /S || status=$?
    else
        set -f
        # shellcheck disable=SC2086 # split on purpose
        "$wine_run" "$installer" /S /D=$1 || status=$?
        set +f
    fi
    [ "$status" = 0 ] || fail "the installer ended with $status"
}

# The uninstaller copies itself to a temporary directory and returns at once; the copy has
# done its work once every Wine process has ended.
uninstall() {
    "$wine_run" "$1\\Uninstall.exe" /S || fail "the uninstaller ended with $?"
    timeout 60 /usr/lib/wine/wineserver -w || fail "Wine processes still running after 60 s"
}

unix_path() {
    printf '%s\n' "$prefix/drive_c/${1#C:\\}" | sed 's|\\|/|g'
}

# One value of the entry as "reg query" shows it; reg writes to a pipe in the OEM code page.
entry_value() {
    "$wine_run" reg query "$uninstall_key\\Tavemark Chronalign" /v "$1" /reg:64 2>/dev/null |
        iconv -f CP437 -t UTF-8 | tr -d '\r' |
        sed -n "s/^    $1    REG_[A-Z]*    //p"
}

# The files of the prefix's drive and the entries under Add/Remove Programs, temporary
# directories left out.
snapshot() {
    (cd "$prefix/drive_c" && find . -path './users/*/Temp' -prune -o -print | sort)
    "$wine_run" reg query "$uninstall_key" /reg:64 | tr -d '\r'
}

expect_value() {
    actual=$(entry_value "$1")
    [ "$actual" = "$2" ] || fail "$label: $1 is '$actual', expected '$2'"
}

# The installation in the directory (Windows path) is complete.
check_installed() {
    label=$1
    dir=$2
    unix_dir=$(unix_path "$dir")
    [ -f "$unix_dir/Chronalign.exe" ] || fail "$label: no Chronalign.exe in $unix_dir"
    [ -f "$unix_dir/Uninstall.exe" ] || fail "$label: no Uninstall.exe in $unix_dir"
    [ -f "$shortcut" ] || fail "$label: no Start-menu shortcut"

    escaped_version=$(printf '%s' "$version" | sed 's/\./\\./g')
    record='\A\[common\]\r\npid=120\r\nuid=[0-9A-F]{12,24}\r\nver='$escaped_version'\r\n\r\n\z'
    grep -Pzq "$record" "$unix_dir/tockwell.ini" 2>/dev/null ||
        fail "$label: tockwell.ini is not the record of $version: $(cat "$unix_dir/tockwell.ini")"

    expect_value DisplayName "Tavemark Chronalign"
    expect_value DisplayVersion "$version"
    expect_value Publisher "Tavemark"
    expect_value DisplayIcon "$dir\\Chronalign.exe"
    expect_value InstallLocation "$dir"
    expect_value UninstallString "\"$dir\\Uninstall.exe\""
    expect_value QuietUninstallString "\"$dir\\Uninstall.exe\" /S"
    expect_value NoModify 0x1
    expect_value NoRepair 0x1
    bytes=$(cat "$unix_dir"/* | wc -c)
    size=$(($(entry_value EstimatedSize)))
    [ "$size" = $((bytes / 1024)) ] ||
        fail "$label: EstimatedSize is $size KB for $bytes bytes"
    passed "$label"
}

rm -rf "$prefix"
"$wine_run" cmd /c exit 0 || fail "no Wine prefix"
snapshot >"$work/before"
expect_clean() {
    snapshot >"$work/after"
    diff -u "$work/before" "$work/after" || fail "$1: the prefix differs from before the install"
}

install
[ ! -e "$prefix/drive_c/$other_program_files/Tavemark Chronalign" ] ||
    fail "installed into $other_program_files"
! "$wine_run" reg query "$other_key\\Tavemark Chronalign" /reg:64 >/dev/null 2>&1 ||
    fail "the entry is under $other_key"
check_installed "silent install into $windows_program_files" "$default_dir"

printf '[stale]\r\n' >"$program_files/Tavemark Chronalign/tockwell.ini"
install
check_installed "reinstall over it" "$default_dir"

uninstall "$default_dir"
[ ! -e "$program_files/Tavemark Chronalign" ] || fail "the directory is left after uninstalling"
expect_clean "uninstall"
passed "the uninstaller takes away what was installed"

install "$other_dir"
check_installed "install with /D= into '$other_dir'" "$other_dir"

install "$default_dir"
[ ! -e "$(unix_path "$other_dir")" ] || fail "the earlier directory is left behind"
check_installed "reinstall into another directory" "$default_dir"

# Starts a window with the program's caption, of the given class (the program's own when none
# is given), and waits for it. Found by its process: other tests on the same display show
# windows with that caption too.
start_captioned_window() {
    "$wine_run" "$holder" "Tavemark Chronalign" - ${1:+"$1"} &
    started_pid=$!
    tries=0
    until xdotool search --pid "$started_pid" --name '^Tavemark Chronalign$' >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -lt 200 ] || break
        sleep 0.1
    done
    [ "$tries" -lt 200 ] || fail "the ${1:-program's} window did not appear within 20 s"
}
# Alive and not a zombie, which an ended child stays until waited for.
running() {
    ps -o stat= -p "$1" | grep -qv '^Z'
}

# A running copy, played by a window of the program's class and caption, beside Explorer's
# window on the install folder, which has the same caption; and a file of the user's.
start_captioned_window
holder_pid=$started_pid
start_captioned_window CabinetWClass
explorer_pid=$started_pid
echo "notes" >"$program_files/Tavemark Chronalign/notes.txt"
# Explorer's window stays, so Wine's processes do not all end: the uninstaller has done with
# running copies once it has deleted the program.
"$wine_run" "$default_dir\\Uninstall.exe" /S || fail "the uninstaller ended with $?"
tries=0
while [ -e "$program_files/Tavemark Chronalign/Chronalign.exe" ] && [ "$tries" -lt 600 ]; do
    tries=$((tries + 1))
    sleep 0.1
done
if running "$holder_pid"; then
    fail "the running copy was not ended"
    kill "$holder_pid"
fi
wait "$holder_pid" || true
running "$explorer_pid" || fail "the uninstaller closed a window of another class"
kill "$explorer_pid" 2>/dev/null || true
wait "$explorer_pid" || true
timeout 60 /usr/lib/wine/wineserver -w || fail "Wine processes still running after 60 s"
left=$(ls -A "$program_files/Tavemark Chronalign")
[ "$left" = notes.txt ] || fail "the directory holds '$left', expected only notes.txt"
rm -r "$program_files/Tavemark Chronalign"
expect_clean "uninstall of a running copy"
passed "the uninstaller ends a running copy and leaves the user's files"
