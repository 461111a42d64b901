#!/bin/sh
# The current zone's display name from Wine's real registry, for zones chosen through TZ, and
# under a display language other than English.
# Wine takes the zone from the Unix environment a process starts in (a Windows parent cannot
# hand it down), so this runs the probe once per zone from here. Winter and summer come from
# libfaketime, which fakes the clock of the processes it is preloaded into, nothing more.
# 32-bit Wine reads the clock through glibc's 64-bit-time calls (__clock_gettime64), which
# libfaketime does not replace: for a 32-bit probe the dated checks say that they did not run.
# Usage: time-zone-name.sh <wine-run> <TimeZoneNameProbe.exe> <the probe's multiarch triplet>
set -u
wine_run=$1
probe=$2
architecture=$3
libfaketime=${LIBFAKETIME:-/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1}
failures=0

fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

# Checks the probe's output: the query result against a case pattern, and the name.
verify() {
    label=$1
    expected_name=$2
    expected_result=$3
    output=$(printf '%s\n' "$4" | tr -d '\r')
    result=$(printf '%s\n' "$output" | sed -n 1p)
    name=$(printf '%s\n' "$output" | sed -n 2p)
    # shellcheck disable=SC2254 # the expected result is a pattern
    case $result in
    $expected_result) ;;
    *) fail "$label: GetTimeZoneInformation gave '$result', expected $expected_result" ;;
    esac
    if [ "$name" = "$expected_name" ]; then
        echo "ok   $label (query result $result): $name"
    else
        fail "$label (query result $result): '$name', expected '$expected_name'"
    fi
}

# Checks the name and the query result (a case pattern) of the probe run under the zone, on
# the given date or, without one, at the real time.
check() {
    zone=$1
    expected_name=$2
    expected_result=$3
    date=${4:-}
    label=$zone${date:+ on $date}
    if [ -z "$date" ]; then
        output=$(TZ=$zone "$wine_run" "$probe" 2>/dev/null)
    elif [ "$architecture" != x86_64-linux-gnu ]; then
        echo "NOT RUN $label: libfaketime cannot set the date of a 32-bit Wine process"
        return
    elif [ ! -r "$libfaketime" ]; then
        fail "$label: $libfaketime is missing (scripts/setup.sh installs faketime)"
        return
    else
        # NO_FAKE_STAT: faked file times would make Wine update the prefix again. The Wine
        # server, started by the probe when none runs, keeps the real clock: it is shared
        # with the tests running beside this one ("wineserver64" is Debian's binary).
        output=$(NO_FAKE_STAT=1 FAKETIME="@$date 12:00:00" \
            FAKETIME_SKIP_CMDS=wineserver,wineserver64 LD_PRELOAD=$libfaketime \
            TZ=$zone "$wine_run" "$probe" 2>/dev/null)
    fi
    verify "$label" "$expected_name" "$expected_result" "$output"
}

# Under a display language other than the one Windows was installed in, the standard name that
# Windows gives is in that language, and no "Std" value of the list holds it: the zone is found
# by its key name, and named in that language. Wine takes the display language from the Unix
# locale: glibc's C.UTF-8 under a German name gives it without generating a locale, and a Wine
# prefix of its own keeps the locale away from the tests that share the build's prefix.
check_display_language() {
    zone=$1
    expected_name=$2
    c_utf8=/usr/lib/locale/C.utf8
    if [ ! -d "$c_utf8" ]; then
        fail "$zone in German: glibc's C.UTF-8 locale is not at $c_utf8"
        return
    fi
    scratch=$(mktemp -d "${TMPDIR:-/tmp}/chronalign-language.XXXXXX")
    mkdir "$scratch"/locale
    ln -s "$c_utf8" "$scratch"/locale/de_DE.UTF-8
    output=$(CHRONALIGN_WINEPREFIX="$scratch"/prefix LOCPATH="$scratch"/locale \
        LC_ALL=de_DE.UTF-8 TZ=$zone "$wine_run" "$probe" 2>/dev/null)
    WINEPREFIX="$scratch"/prefix /usr/lib/wine/wineserver -k 2>/dev/null
    rm -rf "$scratch"
    verify "$zone in German" "$expected_name" "[12]" "$output"
}

pacific="(UTC-08:00) Pacific Time (US & Canada)"
sydney="(UTC+10:00) Canberra, Melbourne, Sydney"
# The real clock first, which also creates the prefix, if need be, on real time.
check Australia/Sydney "$sydney" "[12]"
check America/Los_Angeles "$pacific" "[12]"
# The name is found by the standard name in daylight time too.
check America/Los_Angeles "$pacific" 1 2026-01-15
check America/Los_Angeles "$pacific" 2 2026-07-15
check Australia/Sydney "$sydney" 2 2026-01-15
check_display_language America/Los_Angeles "(UTC-08:00) Pazifik-Zeit (USA & Kanada)"
exit "$failures"
