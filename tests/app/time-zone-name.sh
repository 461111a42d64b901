#!/bin/sh
# The current zone's display name from Wine's real registry, for zones chosen through TZ.
# Wine takes the zone from the Unix environment a process starts in (a Windows parent cannot
# hand it down), so this runs the probe once per zone from here.
# Usage: time-zone-name.sh <wine-run> <TimeZoneNameProbe.exe>
set -u
wine_run=$1
probe=$2
failures=0
daylight_seen=no

# Runs the probe under the zone; checks the name and that the query succeeded.
check() {
    zone=$1
    expected=$2
    output=$(TZ=$zone "$wine_run" "$probe" 2>/dev/null | tr -d '\r')
    result=$(printf '%s\n' "$output" | sed -n 1p)
    name=$(printf '%s\n' "$output" | sed -n 2p)
    case $result in
    1 | 2) ;;
    *)
        echo "FAIL $zone: GetTimeZoneInformation gave '$result'"
        failures=$((failures + 1))
        ;;
    esac
    [ "$result" = 2 ] && daylight_seen=yes
    if [ "$name" = "$expected" ]; then
        echo "ok   $zone (query result $result): $name"
    else
        echo "FAIL $zone (query result $result): '$name', expected '$expected'"
        failures=$((failures + 1))
    fi
}

check America/Los_Angeles "(UTC-08:00) Pacific Time (US & Canada)"
check Australia/Sydney "(UTC+10:00) Canberra, Melbourne, Sydney"

# Los Angeles and Sydney keep daylight time in opposite halves of the year, so one of them is
# in it whenever this runs: the name is found by the standard name in summer too.
if [ "$daylight_seen" != yes ]; then
    echo "FAIL no zone was in daylight time: the summer case went unchecked"
    failures=$((failures + 1))
fi
exit "$failures"
