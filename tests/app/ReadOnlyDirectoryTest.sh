#!/bin/sh
# A "/t" run from a directory that cannot be written ends with 0 and writes nothing.
# Root ignores mode bits, so the directory is made a read-only bind mount inside a mount
# namespace of its own. The Wine server opens files for its clients, so it must run inside that
# namespace too: the namespace gets a copy-on-write view of the build's prefix (a prefix of its
# own, hence a server of its own) and a private Wine server directory, so that neither the
# running server nor the prefix outside is touched. Everything lives on a scratch tmpfs.
#   ReadOnlyDirectoryTest.sh <Chronalign.exe> <Wine prefix> <the build's wine-run wrapper>
set -eu

program=$1
prefix=$2
wine_run=$3

if [ "$(id -u)" != 0 ]; then
    echo "needs root"
    exit 77
fi
# scripts/setup.sh installs it: as root, a missing one is a failure, not a reason to skip.
if ! command -v unshare >/dev/null; then
    echo "FAILED: unshare is missing"
    exit 1
fi
if [ "${CHRONALIGN_IN_NAMESPACE:-}" != 1 ]; then
    # The wrapper makes the build's prefix when it is missing or incomplete.
    CHRONALIGN_PREFIX_ONLY=1 "$wine_run"
    scratch=$(mktemp -d "${TMPDIR:-/tmp}/chronalign-readonly.XXXXXX")
    status=0
    CHRONALIGN_IN_NAMESPACE=1 CHRONALIGN_SCRATCH=$scratch \
        unshare --mount --propagation private sh "$0" "$@" || status=$?
    rmdir "$scratch"
    exit "$status"
fi
scratch=$CHRONALIGN_SCRATCH
wine=/usr/lib/wine/wine64

# Root and unshare were there, so a namespace that cannot be set up is a failure, not a skip.
setup_failed() {
    echo "FAILED: cannot set up the namespace: $*"
    exit 1
}
mount -t tmpfs chronalign-test "$scratch" || setup_failed "no tmpfs"
mkdir -p /tmp/.wine-0
mount -t tmpfs chronalign-wine /tmp/.wine-0 || setup_failed "no tmpfs"
mkdir "$scratch/upper" "$scratch/work" "$scratch/prefix" "$scratch/writable" "$scratch/readonly"
mount -t overlay overlay \
    -o "lowerdir=$prefix,upperdir=$scratch/upper,workdir=$scratch/work" "$scratch/prefix" ||
    setup_failed "no overlayfs"
cp "$program" "$scratch"/writable/Chronalign.exe
cp "$program" "$scratch"/readonly/Chronalign.exe
mount --bind "$scratch"/readonly "$scratch"/readonly
mount -o remount,bind,ro "$scratch"/readonly

export WINEPREFIX="$scratch"/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# No window is wanted in this mode.
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
"$wine" "$scratch"/writable/Chronalign.exe /t || fail "exit code $? from the writable directory"
[ -s "$scratch"/writable/tockwell.ini ] || fail "no record written in a writable directory"

if touch "$scratch"/readonly/probe 2>/dev/null; then
    fail "the read-only mount accepts writes"
    exit
fi
code=0
"$wine" "$scratch"/readonly/Chronalign.exe /t || code=$?
[ "$code" = 0 ] || fail "exit code $code from the read-only directory"
left=$(ls -A "$scratch"/readonly)
[ "$left" = Chronalign.exe ] || fail "the read-only directory holds:" $left

[ "$status" = 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
