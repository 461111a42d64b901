#!/bin/sh
# Builds the program and opens its window under Wine. Without a display it runs under Xvfb with
# a compositing manager (so that the drop shadow shows), saves a screenshot of the window to
# build/screenshot.png and ends the program.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset x86_64
cmake --build --preset x86_64 --target Chronalign

# A prefix of its own whose windows the desktop's window manager manages like any other; the
# tests' prefix keeps Wine's windows to itself.
export CHRONALIGN_WINEPREFIX="$(pwd)/build/x86_64/wineprefix-run" CHRONALIGN_WINE_MANAGED=1
program=build/x86_64/bin/Chronalign.exe
# Made before the program starts, so that the wait for its window below is the program's alone.
if [ ! -f "$CHRONALIGN_WINEPREFIX/.chronalign-ready" ]; then
    echo "Making the Wine prefix $CHRONALIGN_WINEPREFIX ready; the first time takes a minute or so."
fi
CHRONALIGN_PREFIX_ONLY=1 scripts/with-display.sh build/x86_64/wine-run
if [ -n "${DISPLAY:-}" ]; then
    exec build/x86_64/wine-run "$program" "$@"
fi

screenshot=$(pwd)/build/screenshot.png
rm -f "$screenshot"
scripts/with-compositor.sh sh -c '
    build/x86_64/wine-run "$1" &
    program=$!
    window=""
    for attempt in $(seq 300); do
        window=$(xdotool search --onlyvisible --name "^Tavemark Chronalign\$" | head -n 1)
        [ -n "$window" ] && break
        sleep 0.2
    done
    if [ -n "$window" ]; then
        # Time for the first refresh of the labels and a try at the time servers.
        sleep 3
        eval "$(xdotool getwindowgeometry --shell "$window")"
        # The window with the 4 pixels of its drop shadow.
        import -window root -crop "$((WIDTH + 8))x$((HEIGHT + 8))+$((X - 4))+$((Y - 4))" \
            +repage "$2"
        # Its close button.
        xdotool mousemove --window "$window" 471 10 click 1
    fi
    for attempt in $(seq 50); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.2
    done
    WINEPREFIX="$CHRONALIGN_WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
    wait "$program" || true
' run "$program" "$screenshot"
if [ ! -f "$screenshot" ]; then
    echo "The window did not appear; no screenshot taken." >&2
    exit 1
fi
echo "Screenshot of the window saved to $screenshot"
