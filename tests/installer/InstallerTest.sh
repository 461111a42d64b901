#!/bin/sh
# The installer, run silently under Wine: the install and its record, the Add/Remove Programs
# entry, a reinstall, a move into a directory with blanks and non-ASCII letters, the permissions
# of a directory outside Program Files, and the uninstaller, which ends a running copy and takes
# away exactly what was installed, and, left behind, only its own. Arguments: see common.sh.
set -eu
. "$(dirname "$0")/common.sh"

other_dir="$windows_program_files\Tavemark Zeitgeber ä"

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
echo "notes" >"$program_files/Tavemark Chronalign/notes.txt"
install
check_installed "reinstall over it, beside a file of the user's" "$default_dir"
rm "$program_files/Tavemark Chronalign/notes.txt"

uninstall "$default_dir"
[ ! -e "$program_files/Tavemark Chronalign" ] || fail "the directory is left after uninstalling"
expect_clean "uninstall"
passed "the uninstaller takes away what was installed"

install "$other_dir"
check_installed "install with /D= into '$other_dir'" "$other_dir"

install "$default_dir"
[ ! -e "$(unix_path "$other_dir")" ] || fail "the earlier directory is left behind"
check_installed "reinstall into another directory" "$default_dir"

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

# A directory outside Program Files gets Program Files' permissions from the system's icacls,
# played by a stand-in that records its command lines; one inside keeps what it inherits.
icacls="$prefix/drive_c/windows/system32/icacls.exe"
cp "$recorder" "$icacls"
expect_secured() {
    icacls_run="\"C:\\windows\\system32\\icacls.exe\" \"$1\""
    {
        echo "$icacls_run /setowner *S-1-5-32-544"
        echo "$icacls_run /reset"
        echo "$icacls_run /inheritance:r /grant:r *S-1-5-32-544:(OI)(CI)F *S-1-5-18:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX"
    } >"$work/icacls.expected"
    tr -d '\r' <"$icacls.log" | diff -u "$work/icacls.expected" - || fail "$label: icacls"
}
while IFS='|' read -r dir secured; do
    rm -f "$icacls.log"
    label="install into $dir"
    install "$dir"
    [ "$(entry_value InstallLocation)" = "$dir" ] || fail "$label: not installed there"
    if [ -z "$secured" ]; then
        [ ! -e "$icacls.log" ] || fail "$label: icacls was run: $(cat "$icacls.log")"
        passed "$label: permissions inherited"
    else
        expect_secured "$secured"
        passed "$label: permissions set"
    fi
done <<EOF
C:\\Tools\\Tavemark Chronalign|C:\\Tools\\Tavemark Chronalign
C:\\Program Files Extra\\Tavemark Chronalign|C:\\Program Files Extra\\Tavemark Chronalign
C:\\Program Files\\..\\Tools\\Tavemark Chronalign|C:\\Tools\\Tavemark Chronalign
C:\\Program Files\\Tavemark Chronalign|
C:\\PROGRAM FILES (X86)\\Tavemark Chronalign|
EOF

# A leftover uninstaller in another directory removes neither the installation's entry nor its
# shortcut.
tools="$prefix/drive_c/Tools"
install 'C:\Tools\Tavemark Chronalign'
mkdir "$tools/Leftover"
cp "$tools/Tavemark Chronalign/Chronalign.exe" "$tools/Tavemark Chronalign/Uninstall.exe" \
    "$tools/Leftover"
uninstall 'C:\Tools\Leftover'
[ ! -e "$tools/Leftover" ] || fail "the leftover uninstaller left its directory"
check_installed "a leftover uninstaller elsewhere leaves the installation alone" \
    'C:\Tools\Tavemark Chronalign'

# Where the permissions cannot be set, nothing is installed.
uninstall 'C:\Tools\Tavemark Chronalign'
label="install where icacls fails"
CHRONALIGN_RECORDER_EXIT=5 run_installer "$installer" 'C:\Tools\Tavemark Chronalign'
expect_status 1603
rm -r "$tools" "$prefix/drive_c/Program Files Extra"
expect_clean "$label"
passed "$label fails and claims nothing"
