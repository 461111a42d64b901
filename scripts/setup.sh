#!/bin/sh
# Installs what the build and the tests need on Debian 12, with 32-bit Wine where the kernel runs
# 32-bit programs, and a source entry for TinyXML's source package. Installs only what is
# missing, so it is safe to run again.
set -eu
scripts=$(cd "$(dirname "$0")" && pwd)

packages="cmake ninja-build python3 file dpkg-dev xz-utils util-linux
          g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest
          wine64 xvfb xauth xdotool xcompmgr procps imagemagick librsvg2-bin icoutils x11-utils
          iproute2 nsis osslsigncode openssl
          clang-14 libclang-rt-14-dev zlib1g-dev faketime"

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")

# apt-get update fails when any one index cannot be fetched (a mirror in the middle of a sync,
# say), yet apt goes on with the lists it has: so does the set-up, unless it has none at all.
update_lists() {
    log=$(mktemp "${TMPDIR:-/tmp}/chronalign-apt.XXXXXX")
    status=0
    as_root apt-get update -q >"$log" 2>&1 || status=$?
    cat "$log"
    if [ "$status" != 0 ]; then
        if ! apt-cache policy | grep -q ' Packages$'; then
            rm -f "$log"
            echo "setup: apt has no package list at all (is the package registry reachable?); nothing installed" >&2
            exit 1
        fi
        # Err:N <index>, then the reason on an indented line, when apt gives one.
        awk '/^Err:/ { sub(/^Err:[0-9]+ /, ""); failed = $0; reason = ""
                       if ((getline line) > 0) { sub(/^[[:space:]]+/, "", line); reason = line }
                       print "setup: could not fetch " failed (reason != "" ? " (" reason ")" : "") \
                           "; using the package lists already there" }' "$log"
    fi
    rm -f "$log"
}

# With an index missing (the security suite's for one architecture, say), apt finds no versions
# that libraries of several architectures can share; the release's own suite as the target
# release gives every architecture the same ones.
install_packages() {
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "$@" && return
    echo "setup: trying again with $codename as the target release"
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends -t "$codename" "$@"
}

update=no
# The 32-bit release runs under the 32-bit half of Wine, from Debian's i386 architecture.
if reason=$("$scripts/kernel-runs-32bit.sh"); then
    packages="$packages wine32:i386"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
        update=yes
    fi
else
    echo "Not installing 32-bit Wine: $reason"
fi

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

# The machine's own entries for the release's main suite (so a mirror is followed), in the
# deb822 format with the type deb-src: their URIs, suites, components and keys.
derived_source_entries() {
    [ -n "$codename" ] || { echo "setup: /etc/os-release names no release" >&2; return 1; }
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        # deb [options] URI suite components...
        awk -v release="$codename" '
            $1 == "deb" {
                keys = ""; i = 2
                if ($2 ~ /^\[/) {
                    for (; i <= NF; i++) {
                        option = $i; sub(/^\[/, "", option); sub(/\]$/, "", option)
                        if (option ~ /^signed-by=/) { sub(/^signed-by=/, "", option); keys = option }
                        if ($i ~ /\]$/) { i++; break }
                    }
                }
                if ($(i + 1) != release) next
                components = ""
                for (j = i + 2; j <= NF && $j !~ /^#/; j++) components = components " " $j
                print "Types: deb-src"; print "URIs: " $i; print "Suites: " $(i + 1)
                print "Components:" components
                if (keys != "") print "Signed-By: " keys
                print ""
            }' "$file"
    done
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] && [ "$file" != "$entry" ] || continue
        # Stanzas are separated by blank lines; a field goes on in lines that start with a blank
        # (an inline key, for example).
        awk -v release="$codename" '
            function flush() {
                if (types ~ /(^| )deb( |$)/ && (" " suites " ") ~ (" " release " ") &&
                    enabled != "no") {
                    print "Types: deb-src"; printf "%s", kept; print ""
                }
                types = suites = kept = enabled = ""; field = ""
            }
            /^#/ { next }
            /^[[:space:]]*$/ { flush(); next }
            /^[[:space:]]/ { if (field != "") kept = kept $0 "\n"; next }
            {
                name = $0; sub(/:.*/, "", name); value = $0; sub(/^[^:]*:[[:space:]]*/, "", value)
                field = ""
                if (name == "Types") types = value
                else if (name == "Enabled") enabled = tolower(value)
                else if (name == "URIs" || name == "Suites" || name == "Components" ||
                         name == "Signed-By") {
                    if (name == "Suites") suites = value
                    kept = kept $0 "\n"; field = name
                }
            }
            END { flush() }' "$file"
    done
}

add_source_entry() {
    entries=$(derived_source_entries)
    if [ -z "$entries" ]; then
        echo "setup: no Debian entry for this release in apt's sources to take a deb-src entry from" >&2
        exit 1
    fi
    printf '%s\n' "$entries" | as_root sh -c "cat > $entry"
}

# An existing deb-src entry may be Debian's own, waiting only for fresh lists: it is tried
# first, to keep apt from warning about an entry configured twice.
if ! tinyxml_source_known; then
    if [ ! -f "$entry" ] && ! has_deb_src_entry; then
        add_source_entry
    fi
    update=yes
fi
if [ -n "$missing" ] || [ "$update" = yes ]; then
    update_lists
fi
if ! tinyxml_source_known && [ ! -f "$entry" ]; then
    add_source_entry
    update_lists
fi
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    if ! install_packages $missing; then
        # The 32-bit tests are left out where 32-bit Wine cannot be had; anything else missing
        # fails the set-up.
        case " $missing " in *" wine32:i386 "*) ;; *) exit 1 ;; esac
        echo "setup: wine32:i386 cannot be installed; installing the rest without it"
        others=$(printf '%s\n' $missing | grep -vx 'wine32:i386' || true)
        [ -z "$others" ] || install_packages $others
    fi
fi

"$scripts/fetch-tinyxml.sh"
