#!/bin/sh
# Runs a command on the current X display with a compositing manager started for it: without
# one, layered windows lose their per-pixel alpha under Xvfb. Where the display has one
# already, the second gives up at once and the first stays in charge.
set -u
compositor=""
if command -v xcompmgr >/dev/null 2>&1; then
    xcompmgr >/dev/null 2>&1 &
    compositor=$!
    sleep 0.5
fi
"$@"
status=$?
[ -n "$compositor" ] && kill "$compositor" 2>/dev/null
exit $status
