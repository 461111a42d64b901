#!/bin/sh
# Upgrades and their failures, silently under Wine: over a running copy that does not close and
# one that does, over an older version's window found by its process, over a copy found only by
# its locked file, with "/t" refused; an uninstall while the program runs; a downgrade; the
# installation of the other architecture; Windows older than 7; and the uninstaller's Retry,
# interactively. A failure ends with its own code and changes nothing. Arguments: see common.sh.
set -eu
# The interactive uninstaller is answered by keys, which go to the focused window: no other
# test's windows may take the focus on a display of this test's own.
if [ -z "${CHRONALIGN_OWN_DISPLAY:-}" ]; then
    CHRONALIGN_OWN_DISPLAY=1 DISPLAY='' exec "$(dirname "$0")/../../scripts/with-display.sh" \
        sh "$0" "$@"
fi
. "$(dirname "$0")/common.sh"

older="$work/setup-1.0.0.1.exe"
newer="$work/setup-99.0.0.0.exe"
make_installer "$older" 1.0.0.1 "$architecture"
make_installer "$newer" 99.0.0.0 "$architecture"
installed="$program_files/Tavemark Chronalign"

# The older version installed, with a record of its own.
install_older() {
    run_installer "$older"
    [ "$status" = 0 ] || fail "the older installer ended with $status"
    printf "[common]\r\npid=120\r\nuid=0123456789AB\r\nver=1.0.0.1\r\n\r\n" \
        >"$installed/tockwell.ini"
}

# Runs the installer (or with "-u" the uninstaller in place, which reports its exit code), which
# must fail with the code and change nothing.
#   expect_refused <code> [<setup.exe> | -u]
expect_refused() {
    snapshot >"$work/before"
    if [ "${2:-}" = -u ]; then
        status=0
        set -f
        # shellcheck disable=SC2086 # "_?=" is split like "/D="
        "$wine_run" "$default_dir\\Uninstall.exe" /S _?=$default_dir || status=$?
        set +f
    else
        run_installer "${2:-$installer}"
    fi
    expect_status "$1"
    snapshot >"$work/after"
    diff -u "$work/before" "$work/after" || fail "$label: the installation changed"
}

# Starts a copy of InstanceHolder.exe without a window, and waits until Wine has its image
# loaded; its Unix process in $windowless_pid.
start_windowless() {
    "$wine_run" "$1" - - &
    windowless_pid=$!
    tries=0
    until grep -q "$(basename "$(echo "$1" | sed 's|\\|/|g')")" "/proc/$windowless_pid/maps"; do
        tries=$((tries + 1))
        [ "$tries" -lt 200 ] || { fail "$1 did not start within 20 s"; break; }
        sleep 0.1
    done
}

# A copy whose window does not close in time (its process stopped) keeps the upgrade and the
# uninstaller from going on; once it has closed, the upgrade goes through.
install_older
start_captioned_window
kill -STOP "$started_pid"
label="upgrade over a copy that does not close"
expect_refused 32
label="uninstall while the program runs"
expect_refused 32 -u
passed "$label"
kill -CONT "$started_pid"
install
! running "$started_pid" || fail "the running copy was not ended"
end_process "$started_pid"
check_installed "the upgrade once the copy has closed" "$default_dir"

# Interactively the uninstaller offers Retry while the program runs, and goes on once it has
# closed. Its buttons are clicked by their ids: "Uninstall" (1) on the confirmation page, Retry
# (4) in the message box, "Close" (1) at the end; the box is told by the count of the
# uninstaller's windows, counted by their caption.
uninstaller_windows() {
    tries=0
    until [ "$(xdotool search --onlyvisible --name '^Tavemark Chronalign Uninstall' |
        wc -l)" = "$1" ]; do
        tries=$((tries + 1))
        if ! running "$uninstaller_pid" || [ "$tries" = 600 ]; then
            fail "the uninstaller did not show $1 window(s) within 60 s"
            return
        fi
        sleep 0.1
    done
}
press() {
    "$wine_run" "$(dirname "$holder")/ButtonPresser.exe" "Tavemark Chronalign Uninstall" "$1" ||
        fail "no button $1 of the uninstaller's came up"
}
start_captioned_window
kill -STOP "$started_pid"
set -f
# shellcheck disable=SC2086 # "_?=" is split like "/D="
"$wine_run" "$default_dir\\Uninstall.exe" _?=$default_dir &
uninstaller_pid=$!
set +f
press 1
uninstaller_windows 2
[ -f "$installed/Chronalign.exe" ] || fail "the uninstaller went on while the program ran"
kill -CONT "$started_pid"
press 4
press 1
tries=0
while running "$uninstaller_pid" && [ "$tries" -lt 300 ]; do
    tries=$((tries + 1))
    sleep 0.1
done
if running "$uninstaller_pid"; then
    fail "the interactive uninstaller did not end within 30 s"
    kill "$uninstaller_pid"
fi
status=0
wait "$uninstaller_pid" || status=$?
label="interactive uninstall, retried once the program has closed"
expect_status 0
! running "$started_pid" || fail "$label: the program was not closed"
end_process "$started_pid"
[ "$(ls -A "$installed")" = Uninstall.exe ] || fail "$label: left $(ls -A "$installed")"
passed "$label"
rm -r "$installed"
install

# An older version's window, of a class made up at run time, is the installed program's.
cp "$holder" "$installed/Chronalign.exe"
start_captioned_window "ATL:0041C2D8" "$default_dir\\Chronalign.exe"
install
! running "$started_pid" || fail "an older version's window was not closed"
end_process "$started_pid"
check_installed "the upgrade over an older version's window" "$default_dir"

# A copy without a window found, as in another session, still holds its file.
cp "$holder" "$installed/Chronalign.exe"
start_windowless "$default_dir\\Chronalign.exe"
label="upgrade over a copy that has no window"
expect_refused 32
end_process "$windowless_pid"
passed "$label"

# A running copy found neither way refuses "/t": nothing is claimed.
uninstall "$default_dir"
install_older
start_windowless "$holder"
label="upgrade while /t is refused"
run_installer "$installer"
expect_status 1603
expect_value DisplayVersion 1.0.0.1
[ ! -e "$installed/tockwell.ini" ] || fail "$label: $(cat "$installed/tockwell.ini")"
end_process "$windowless_pid"
passed "$label"

run_installer "$newer"
label="downgrade"
expect_refused 1638
passed "$label is refused"
uninstall "$default_dir"

# Exactly one installation and one entry, whichever installer came last.
check_single() {
    label=$1
    count=0
    for key in "$native_key" "$wow64_key"; do
        ! "$wine_run" reg query "$key\\Tavemark Chronalign" /reg:64 >/dev/null 2>&1 ||
            count=$((count + 1))
    done
    [ "$count" = 1 ] || fail "$label: $count entries"
    [ ! -e "$2" ] || fail "$label: $2 is left"
}
if [ -x /usr/lib/wine/wine ]; then
    other="$work/setup-$other_architecture.exe"
    make_installer "$other" "$version" "$other_architecture"
    run_installer "$other"
    install
    check_single "$architecture after $other_architecture" \
        "$prefix/drive_c/$other_program_files/Tavemark Chronalign"
    check_installed "$architecture after $other_architecture" "$default_dir"
    run_installer "$other"
    check_single "$other_architecture after $architecture" "$installed"
    passed "$other_architecture after $architecture"
    uninstall "$(entry_value InstallLocation "$other_key")"
else
    echo "NOT RUN the installers of both architectures one after the other, because 32-bit" \
        "Wine is not installed"
    if [ "$architecture" = x64 ]; then
        # An x86 installation played by this installer's, its entry moved to the 32-bit view.
        install 'C:\Program Files (x86)\Tavemark Chronalign'
        "$wine_run" reg copy "$native_key\\Tavemark Chronalign" \
            "$wow64_key\\Tavemark Chronalign" /s /f /reg:64 >/dev/null
        "$wine_run" reg delete "$native_key\\Tavemark Chronalign" /f /reg:64 >/dev/null
        install
        check_single "x64 after a planted x86 installation" \
            "$prefix/drive_c/Program Files (x86)/Tavemark Chronalign"
        check_installed "x64 after a planted x86 installation" "$default_dir"
    fi
fi

"$wine_run" reg add 'HKCU\Software\Wine' /v Version /d vista /f >/dev/null
label="install on Windows Vista"
expect_refused 1150
passed "$label is refused"
