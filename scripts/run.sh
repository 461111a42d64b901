#!/bin/sh
# Builds the program and opens it under Wine. Without a display it runs under Xvfb, and a
# screenshot of its window is saved to build/screenshot.png.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset x86_64
cmake --build --preset x86_64 --target Chronalign

program=build/x86_64/bin/Chronalign.exe
if [ -n "${DISPLAY:-}" ]; then
    exec build/x86_64/wine-run "$program" "$@"
fi

screenshot=$(pwd)/build/screenshot.png
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    build/x86_64/wine-run "$1" &
    sleep 8
    /usr/bin/import -window root "$2"
    WINEPREFIX="$(pwd)/build/x86_64/wineprefix" /usr/lib/wine/wineserver -k
    wait
' run "$program" "$screenshot"
echo "Screenshot saved to $screenshot"
