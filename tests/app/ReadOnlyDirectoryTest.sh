#!/bin/sh
# A "/t" run from a directory that cannot be written ends with 0 and writes nothing.
# Root ignores mode bits, so the directory is made a read-only bind mount inside a mount
# namespace of its own. The Wine server opens files for its clients, so it must run inside that
# namespace too: the namespace gets a private /tmp (where Wine keeps its server sockets) and a
# copy-on-write view of the build's prefix, so that neither the running server nor the prefix
# outside is touched.
#   ReadOnlyDirectoryTest.sh <Chronalign.exe> <Wine prefix> <the build's wine-run wrapper>
set -eu

program=$1
prefix=$2
wine_run=$3

if [ "$(id -u)" != 0 ] || ! command -v unshare >/dev/null; then
    echo "needs root and unshare"
    exit 77
fi
if [ "${CHRONALIGN_IN_NAMESPACE:-}" != 1 ]; then
    # The wrapper creates the build's prefix on first use.
    [ -f "$prefix/.chronalign-ready" ] || "$wine_run" cmd.exe /c exit 0
    CHRONALIGN_IN_NAMESPACE=1 exec unshare --mount --propagation private sh "$0" "$@"
fi
wine=/usr/lib/wine/wine64

skip() {
    echo "cannot set up the namespace: $*"
    exit 77
}
mount -t tmpfs chronalign-test /tmp || skip "no tmpfs"
mkdir /tmp/upper /tmp/work /tmp/prefix /tmp/writable /tmp/readonly
mount -t overlay overlay -o "lowerdir=$prefix,upperdir=/tmp/upper,workdir=/tmp/work" /tmp/prefix ||
    skip "no overlayfs"
cp "$program" /tmp/writable/Chronalign.exe
cp "$program" /tmp/readonly/Chronalign.exe
mount --bind /tmp/readonly /tmp/readonly
mount -o remount,bind,ro /tmp/readonly

export WINEPREFIX=/tmp/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# No window is wanted in this mode, and the X server's socket is outside this /tmp.
unset DISPLAY

status=0
finish() {
    # A command that failed under "set -e" fails the test as well.
    [ $? = 0 ] || status=1
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    exit "$status"
}
trap finish EXIT

fail() {
    echo "FAILED: $*"
    status=1
}

# The control: the same start in a writable directory writes the record.
"$wine" /tmp/writable/Chronalign.exe /t || fail "exit code $? from the writable directory"
[ -s /tmp/writable/tockwell.ini ] || fail "no record written in a writable directory"

if touch /tmp/readonly/probe 2>/dev/null; then
    fail "the read-only mount accepts writes"
    exit
fi
code=0
"$wine" /tmp/readonly/Chronalign.exe /t || code=$?
[ "$code" = 0 ] || fail "exit code $code from the read-only directory"
left=$(ls -A /tmp/readonly)
[ "$left" = Chronalign.exe ] || fail "the read-only directory holds:" $left

[ "$status" = 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
