#!/bin/sh
# Sets up the machine, builds both targets and runs every test.
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

scripts/with-display.sh ctest --preset x86_64 -j 2
scripts/fuzz.sh
