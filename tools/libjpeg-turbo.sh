#!/usr/bin/env bash
# libjpeg-turbo, the jpg decoder linked into both Windows programs: Debian
# bookworm's source package of version 2.1.5, fetched once into the build tree
# (build/libjpeg-turbo/) and built from there by CMake.
#
# apt finds the package through a deb-src entry for bookworm main: as root
# this adds one and renews apt's lists, otherwise it prints the commands.
# apt checks the downloaded files against Debian's signed index, the .dsc is
# checked against the hash kept below, and dpkg-source checks the tarballs
# against the .dsc's checksums and applies Debian's patches.
set -euo pipefail

KANOZE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KANOZE_BUILD=${KANOZE_BUILD:-$KANOZE_ROOT/build}
LIBJPEG_DIR=$KANOZE_BUILD/libjpeg-turbo
LIBJPEG_SOURCE=$LIBJPEG_DIR/libjpeg-turbo-2.1.5
LIBJPEG_VERSION=1:2.1.5-2
LIBJPEG_DSC=libjpeg-turbo_2.1.5-2.dsc
LIBJPEG_DSC_SHA256=d718ead0dfbcbc8523665c02a7f7152e31039ded641d022868722623bb3b486d
STAMP="$LIBJPEG_VERSION $LIBJPEG_DSC_SHA256"

[ -f "$LIBJPEG_SOURCE/CMakeLists.txt" ] && [ "$(cat "$LIBJPEG_DIR/ready" 2>/dev/null)" = "$STAMP" ] && exit 0

for tool in apt-get dpkg-source sha256sum; do
    command -v "$tool" >/dev/null || { echo "libjpeg-turbo: $tool is missing (tools/setup.sh build installs it)" >&2; exit 1; }
done

has_source() {
    apt-cache showsrc libjpeg-turbo 2>/dev/null | grep -qx "Version: $LIBJPEG_VERSION"
}

if ! has_source; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "libjpeg-turbo: apt needs Debian bookworm's source packages to fetch libjpeg-turbo $LIBJPEG_VERSION. Run as root:" >&2
        echo "  printf '%s\\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' 'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' > /etc/apt/sources.list.d/bookworm-src.sources" >&2
        echo "  apt-get update" >&2
        echo "then run make again (or tools/libjpeg-turbo.sh)." >&2
        exit 1
    fi
    if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/bookworm-src.sources; then
        echo "libjpeg-turbo: adding bookworm's source packages to apt's sources"
        printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' 'Components: main' \
            'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' > /etc/apt/sources.list.d/bookworm-src.sources
    fi
    apt-get update -qq
    has_source || { echo "libjpeg-turbo: apt offers no source package libjpeg-turbo $LIBJPEG_VERSION" >&2; exit 1; }
fi

echo "libjpeg-turbo: fetching Debian's source package $LIBJPEG_VERSION into $LIBJPEG_DIR (once)"
rm -rf "$LIBJPEG_DIR"
mkdir -p "$LIBJPEG_DIR/fetch"
(cd "$LIBJPEG_DIR/fetch" && apt-get source --download-only -qq "libjpeg-turbo=$LIBJPEG_VERSION") \
    >"$LIBJPEG_DIR/fetch.log" 2>&1 || { cat "$LIBJPEG_DIR/fetch.log" >&2; exit 1; }
if ! echo "$LIBJPEG_DSC_SHA256  $LIBJPEG_DIR/fetch/$LIBJPEG_DSC" | sha256sum -c --quiet -; then
    echo "libjpeg-turbo: $LIBJPEG_DSC is not the one this project was built with" >&2
    exit 1
fi
(cd "$LIBJPEG_DIR/fetch" && dpkg-source -x "$LIBJPEG_DSC" "$LIBJPEG_SOURCE") >>"$LIBJPEG_DIR/fetch.log" 2>&1 ||
    { cat "$LIBJPEG_DIR/fetch.log" >&2; exit 1; }
rm -rf "$LIBJPEG_DIR/fetch" "$LIBJPEG_DIR"/*.orig.tar.*
echo "$STAMP" > "$LIBJPEG_DIR/ready"
