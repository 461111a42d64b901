#!/bin/sh
# Unpacks Debian's TinyXML 2.6.2 source package, with its patches applied, into the given directory.
set -eu
dest=${1:-$(dirname "$0")/../build/_deps/tinyxml-2.6.2}
[ -f "$dest/tinyxml.cpp" ] && exit 0
mkdir -p "$(dirname "$dest")"
dest=$(cd "$(dirname "$dest")" && pwd)/$(basename "$dest")
work=$(mktemp -d "${TMPDIR:-/tmp}/tinyxml.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
apt-get source --only-source tinyxml >/dev/null 2>&1 || apt-get source --only-source tinyxml
src=$(find . -maxdepth 1 -type d -name 'tinyxml-2.6.2*' | head -n 1)
[ -n "$src" ] && [ -f "$src/debian/patches/series" ] || { echo "no TinyXML 2.6.2 source package" >&2; exit 1; }
rm -rf "$dest.tmp"
cp -r "$src" "$dest.tmp"
mv "$dest.tmp" "$dest"
