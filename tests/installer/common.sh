# What the installer's tests share, sourced by each with the same arguments:
#   <setup.exe> <version> <x64|x86> <wine-run> <InstanceHolder.exe> <ArgumentRecorder.exe>
#   <prefix> <Package.cmake> <package arguments...>
# Each runs under Wine in a fresh 64-bit prefix of its own (created once per run), the x64
# installer into the 64-bit Program Files and registry view, the x86 one into their 32-bit
# counterparts of the 64-bit prefix.

# Wine and xdotool must see the same display.
if [ -z "${DISPLAY:-}" ]; then
    exec "$(dirname "$0")/../../scripts/with-display.sh" sh "$0" "$@"
fi

installer=$1
version=$2
architecture=$3
wine_run=$4
holder=$5
recorder=$6
prefix=$7
package_script=$8
shift 8
# Package.cmake's arguments that name the program, its icon and pictures, and the tools.
package_arguments="$*"

# Wine reads non-ASCII arguments in the locale's charset.
export LC_ALL=C.UTF-8
export CHRONALIGN_WINEPREFIX="$prefix" WINEPREFIX="$prefix" WINEDEBUG=-all
# No menu entries for the shortcut in the home directory of the machine; a program put in place
# of icacls runs rather than Wine's own.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=;icacls.exe=n"

# The keys are read where they are stored, in the 64-bit view.
native_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
wow64_key='HKLM\Software\WOW6432Node\Microsoft\Windows\CurrentVersion\Uninstall'
if [ "$architecture" = x64 ]; then
    windows_program_files='C:\Program Files'
    other_program_files='Program Files (x86)'
    other_architecture=x86
    uninstall_key=$native_key
    other_key=$wow64_key
else
    windows_program_files='C:\Program Files (x86)'
    other_program_files='Program Files'
    other_architecture=x64
    uninstall_key=$wow64_key
    other_key=$native_key
fi
program_files="$prefix/drive_c/${windows_program_files#C:\\}"
shortcut="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tavemark Chronalign.lnk"
default_dir="$windows_program_files\Tavemark Chronalign"

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
    for pid in $(jobs -p); do kill -CONT "$pid" 2>/dev/null; kill "$pid" 2>/dev/null; done
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$work"
    echo "$failures failed"
    # The prefix is kept for a look after a failure; the next run starts afresh anyway.
    [ "$failures" != 0 ] || rm -rf "$prefix"
    exit $((failures != 0))
}
trap finish EXIT

# Runs an installer silently, its exit code in $status. "/D=" must be the last argument and
# unquoted, as NSIS wants it, so the directory is split at its blanks into words that Wine joins
# again.
#   run_installer <setup.exe> [<directory>]
run_installer() {
    status=0
    if [ $# = 1 ]; then
        "$wine_run" "$1" /S || status=$?
    else
        set -f
        # shellcheck disable=SC2086 # split on purpose
        "$wine_run" "$1" /S /D=$2 || status=$?
        set +f
    fi
}

# This target's installer, silently, which must succeed.
install() {
    run_installer "$installer" "$@"
    [ "$status" = 0 ] || fail "the installer ended with $status"
}

# The uninstaller copies itself to a temporary directory and returns at once; the copy has
# done its work once every Wine process has ended.
uninstall() {
    "$wine_run" "$1\\Uninstall.exe" /S || fail "the uninstaller ended with $?"
    timeout 60 /usr/lib/wine/wineserver -w || fail "Wine processes still running after 60 s"
}

# Expects the exit code in $status; Wine hands on only its low 8 bits.
expect_status() {
    [ "$status" = $(($1 % 256)) ] || fail "$label: ended with $status, expected $1"
}

unix_path() {
    printf '%s\n' "$prefix/drive_c/${1#C:\\}" | sed 's|\\|/|g'
}

# One value of the entry in a view's key (this installer's by default) as "reg query" shows
# it; reg writes to a pipe in the OEM code page.
entry_value() {
    "$wine_run" reg query "${2:-$uninstall_key}\\Tavemark Chronalign" /v "$1" /reg:64 2>/dev/null |
        iconv -f CP437 -t UTF-8 | tr -d '\r' |
        sed -n "s/^    $1    REG_[A-Z]*    //p"
}

# The files of the prefix's drive with their checksums, and the entries under Add/Remove
# Programs in both views, temporary directories and Wine's own files left out.
snapshot() {
    (cd "$prefix/drive_c" && find . -path './users/*/Temp' -prune -o -path ./windows -prune -o \
        -type f -exec md5sum {} + | sort -k 2)
    for key in "$native_key" "$wow64_key"; do
        "$wine_run" reg query "$key" /s /reg:64 | tr -d '\r'
    done
}

expect_value() {
    actual=$(entry_value "$1")
    [ "$actual" = "$2" ] || fail "$label: $1 is '$actual', expected '$2'"
}

# The installation in the directory (Windows path) is complete and the record that of the
# program's version; the entry's version may be given (another installer's).
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
    expect_value DisplayVersion "${3:-$version}"
    expect_value Publisher "Tavemark"
    expect_value DisplayIcon "$dir\\Chronalign.exe"
    expect_value InstallLocation "$dir"
    expect_value UninstallString "\"$dir\\Uninstall.exe\""
    expect_value QuietUninstallString "\"$dir\\Uninstall.exe\" /S"
    expect_value NoModify 0x1
    expect_value NoRepair 0x1
    # The installed files only, not those of the user's in the same directory.
    bytes=$(cat "$unix_dir/Chronalign.exe" "$unix_dir/Uninstall.exe" "$unix_dir/tockwell.ini" |
        wc -c)
    size=$(($(entry_value EstimatedSize)))
    [ "$size" = $((bytes / 1024)) ] ||
        fail "$label: EstimatedSize is $size KB for $bytes bytes"
    passed "$label"
}

# An installer of the same program made by the build's own packaging: of another version,
# architecture or signature.
#   make_installer <setup.exe> <version> <x64|x86> [<signing command>]
make_installer() {
    packaged="$work/$(basename "$1" .exe)-program.exe"
    # shellcheck disable=SC2086 # one word each, none with blanks
    cmake $package_arguments -DVERSION="$2" -DARCH="$3" -DPACKAGED="$packaged" \
        -DOUTFILE="$1" -DSIGN_COMMAND="${4:-}" -P "$package_script" >"$work/package.log" 2>&1 ||
        { cat "$work/package.log"; fail "could not make $1"; }
}

# Starts a window with the program's caption, of the given class (the program's own when none
# is given), from the given program (InstanceHolder.exe by default) and waits for it; its Unix
# process in $started_pid. Found by its process: other tests on the same display show windows
# with that caption too.
#   start_captioned_window [<class> [<program>]]
start_captioned_window() {
    "$wine_run" "${2:-$holder}" "Tavemark Chronalign" - ${1:+"$1"} &
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

# Ends a process started here and waits for it.
end_process() {
    kill -CONT "$1" 2>/dev/null || true
    kill "$1" 2>/dev/null || true
    wait "$1" || true
}

rm -rf "$prefix"
"$wine_run" cmd /c exit 0 || fail "no Wine prefix"
