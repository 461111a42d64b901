#!/bin/sh
# Runs a command on an X display of its own with a compositing manager: nothing else opens
# windows under the pointer that the command drives, and layered windows keep their per-pixel
# alpha (without a compositing manager Xvfb drops it).
set -u
if [ -z "${CHRONALIGN_PRIVATE_DISPLAY:-}" ]; then
    CHRONALIGN_PRIVATE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
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
