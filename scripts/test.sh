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

# Both suites run even when the first fails, so that one run shows every failure.
failed=""
echo "== Tests of the x86_64 build"
scripts/with-display.sh ctest --preset x86_64 -j 2 || failed="$failed x86_64"
not_run=""
if reason=$(scripts/kernel-runs-32bit.sh); then
    echo "== Tests of the i686 build, the 32-bit release"
    scripts/with-display.sh ctest --preset i686 -j 2 || failed="$failed i686"
else
    not_run="The 32-bit (i686) tests were not run: $reason."
fi
echo "== Fuzzing"
scripts/fuzz.sh || failed="$failed fuzzing"

[ -z "$not_run" ] || echo "$not_run"
if [ -n "$failed" ]; then
    echo "Failed:$failed" >&2
    exit 1
fi
