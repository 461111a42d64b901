#!/bin/sh
# Installs what the build and the tests need on Debian 12, and Debian's source entry for
# TinyXML. Installs only what is missing, so it is safe to run again.
set -eu

# 64-bit Wine only: 32-bit programs are built here but never run.
packages="cmake ninja-build python3 file dpkg-dev xz-utils util-linux
          g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest
          wine64 xvfb xauth xdotool xcompmgr procps imagemagick librsvg2-bin icoutils x11-utils
          iproute2 nsis
          clang-14 libclang-rt-14-dev faketime"

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
        missing="$missing $package"
done

entry=/etc/apt/sources.list.d/chronalign-deb-src.sources

# Whether apt can hand out TinyXML 2.6.2's sources, from whichever entry.
tinyxml_source_known() {
    apt-cache showsrc --only-source tinyxml 2>/dev/null | grep -q '^Version: 2\.6\.2'
}

has_deb_src_entry() {
    grep -Eqs '^[[:space:]]*deb-src[[:space:]]' /etc/apt/sources.list \
        /etc/apt/sources.list.d/*.list ||
        grep -Eqs '^Types:.*deb-src' /etc/apt/sources.list.d/*.sources
}

add_debian_entry() {
    as_root sh -c "cat > $entry" <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
}

# An existing deb-src entry may be Debian's own, waiting only for fresh lists: it is tried
# first, to keep apt from warning about an entry configured twice.
update=no
if ! tinyxml_source_known; then
    if [ ! -f "$entry" ] && ! has_deb_src_entry; then
        add_debian_entry
    fi
    update=yes
fi
if [ -n "$missing" ] || [ "$update" = yes ]; then
    as_root apt-get update -q
fi
if ! tinyxml_source_known && [ ! -f "$entry" ]; then
    add_debian_entry
    as_root apt-get update -q
fi
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends $missing
fi

"$(dirname "$0")/fetch-tinyxml.sh"
