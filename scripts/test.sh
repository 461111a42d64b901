#!/bin/sh
# Sets up the machine, builds both targets and runs every test of each.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake --preset x86_64
cmake --build --preset x86_64
cmake --preset i686
cmake --build --preset i686

# The release build and its installer must be 32-bit programs.
for release in build/i686/bin/Chronalign.exe build/i686/bin/Chronalign-*-setup-x86.exe; do
    if ! file "$release" | grep -q 'PE32 executable'; then
        echo "$release is not a 32-bit PE executable: $(file -b "$release")" >&2
        exit 1
    fi
    echo "$release: $(file -b "$release")"
done

# The two suites and the fuzzers run side by side, each into a log of its own that is shown
# when it ends: each target has a Wine prefix and server of its own, and most tests wait
# rather than compute. Every part runs even when another fails.
logs=build/test-logs
rm -rf "$logs"
mkdir -p "$logs"
not_run=""
suites="x86_64"
if ! reason=$(scripts/kernel-runs-32bit.sh); then
    not_run="The 32-bit (i686) tests were not run: $reason."
elif [ ! -x /usr/lib/wine/wine ]; then
    not_run="The 32-bit (i686) tests were not run: 32-bit Wine (wine32:i386) could not be installed; the set-up's output above says why."
else
    suites="x86_64 i686"
fi
echo "Running the tests of $suites, and the fuzzers; each part's output follows when it ends."
scripts/with-display.sh sh -c '
    logs=$1
    shift
    # Runs a part into its log and says when it has ended.
    part() {
        name=$1
        shift
        start=$(date +%s)
        status=0
        "$@" >"$logs/$name.log" 2>&1 || status=$?
        echo "$status" >"$logs/$name.status"
        echo "$name ended with $status after $(($(date +%s) - start)) s"
    }
    for suite in "$@"; do
        part "$suite" ctest --preset "$suite" -j 2 &
    done
    part fuzzing scripts/fuzz.sh &
    wait
' run "$logs" $suites

failed=""
for part in $suites fuzzing; do
    case $part in
    x86_64) echo "== Tests of the x86_64 build" ;;
    i686) echo "== Tests of the i686 build, the 32-bit release" ;;
    fuzzing) echo "== Fuzzing" ;;
    esac
    cat "$logs/$part.log"
    [ "$(cat "$logs/$part.status")" = 0 ] || failed="$failed $part"
done

[ -z "$not_run" ] || echo "$not_run"
if [ -n "$failed" ]; then
    echo "Failed:$failed" >&2
    exit 1
fi
