#!/bin/sh
# Installs what the build and the tests need on Debian 12, and Debian's source entry for
# TinyXML. Installs only what is missing, so it is safe to run again.
set -eu

# 64-bit Wine only: 32-bit programs are built here but never run.
packages="cmake ninja-build python3 file dpkg-dev xz-utils util-linux
          g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest
          wine64 xvfb xauth xdotool imagemagick x11-utils
          clang-14 libclang-rt-14-dev faketime"

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
        missing="$missing $package"
done

update=no
if ! grep -Rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ &&
   ! grep -qs '^deb-src' /etc/apt/sources.list; then
    as_root sh -c 'cat > /etc/apt/sources.list.d/chronalign-deb-src.sources' <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    update=yes
fi

if [ -n "$missing" ] || [ "$update" = yes ]; then
    as_root apt-get update -q
fi
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends $missing
fi

"$(dirname "$0")/fetch-tinyxml.sh"
