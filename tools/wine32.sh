#!/usr/bin/env bash
# Wine for the 32-bit program: Debian's own 32-bit Wine unpacked under build/, each 32-bit process run by qemu-i386.
#
# Run it to set up (the apt part needs root, as tools/setup.sh), or source it
# after bench.sh to point the bench functions at that Wine and its own prefix.
#
# Why an emulator: this kind of machine cannot execute i386 Linux programs,
# and Wine's new WoW64 mode needs a newer glibc than Debian 12 has. Wine
# starts every program through "<bindir>/wine-preloader <loader> args" when
# that file exists, so a script there that hands the i386 loader to
# qemu-i386 routes every 32-bit process through the emulator, children of
# 64-bit ones too. The 64-bit half (wineserver, services, the desktop) runs
# natively from the same folder, at the same version. Only what is in that
# folder may start Wine: it finds the preloader and wineserver beside the
# loader it was started as. Debian 12's own qemu 7.2 runs a 32-bit program
# some thirty times slower and drops wineserver replies ("partial wakeup
# read"); 10.0 from bookworm-backports runs the whole suite.

KANOZE_ROOT=${KANOZE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
KANOZE_BUILD=${KANOZE_BUILD:-$KANOZE_ROOT/build}
WINE32_DIR=$KANOZE_BUILD/wine32
WINE32_ROOT=$WINE32_DIR/root
WINE32_BIN=$WINE32_ROOT/usr/lib/wine
WINE32_QEMU_MAJOR=10
# Wine's 32-bit half, GStreamer with the plugins that play mp3 and wav, and
# the X extensions winex11 loads when present (the 64-bit half has them).
WINE32_PACKAGES=(
    wine32:i386 libwine:i386 gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
    libxcomposite1:i386 libxcursor1:i386 libxfixes3:i386 libxi6:i386 libxinerama1:i386
    libxrandr2:i386 libxrender1:i386 libxxf86vm1:i386
)

wine32_qemu_ok() {
    local major
    major=$(qemu-i386 --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\).*/\1/p')
    [ -n "$major" ] && [ "$major" -ge $WINE32_QEMU_MAJOR ]
}

# The newest qemu-user apt offers, when it is new enough.
wine32_qemu_candidate() {
    apt-cache madison qemu-user 2>/dev/null |
        awk -F'|' -v min=$WINE32_QEMU_MAJOR '{
            v = $2; gsub(/ /, "", v); m = v; sub(/^[0-9]+:/, "", m)
            if (m + 0 >= min) print v
        }' | sort -V | tail -n 1
}

wine32_has_backports() {
    grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/
}

# The i386 architecture, and qemu-user 10 from bookworm-backports.
wine32_system() {
    local needs_arch=0 needs_qemu=0
    dpkg --print-foreign-architectures | grep -qx i386 || needs_arch=1
    wine32_qemu_ok || needs_qemu=1
    [ $needs_arch -eq 0 ] && [ $needs_qemu -eq 0 ] && return 0

    if [ "$(id -u)" -ne 0 ]; then
        echo "The 32-bit program's tests need the i386 architecture and qemu-user $WINE32_QEMU_MAJOR. Run as root:" >&2
        [ $needs_arch -eq 1 ] && echo "  dpkg --add-architecture i386" >&2
        wine32_has_backports || echo "  echo 'deb http://deb.debian.org/debian bookworm-backports main' > /etc/apt/sources.list.d/bookworm-backports.list" >&2
        echo "  apt-get update && apt-get install -y --no-install-recommends -t bookworm-backports qemu-user" >&2
        return 1
    fi

    export DEBIAN_FRONTEND=noninteractive
    if [ $needs_arch -eq 1 ]; then
        echo "wine32: adding the i386 architecture"
        dpkg --add-architecture i386
    fi
    if [ $needs_qemu -eq 1 ] && ! wine32_has_backports; then
        echo "wine32: adding bookworm-backports to apt's sources"
        printf '%s\n' 'Types: deb' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm-backports' \
            'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' \
            > /etc/apt/sources.list.d/bookworm-backports.sources
    fi
    apt-get update -qq
    if [ $needs_qemu -eq 1 ]; then
        local version
        version=$(wine32_qemu_candidate)
        if [ -z "$version" ]; then
            echo "wine32: apt offers no qemu-user $WINE32_QEMU_MAJOR or newer:" >&2
            apt-cache policy qemu-user >&2
            return 1
        fi
        echo "wine32: installing qemu-user $version"
        apt-get install -y -qq --no-install-recommends "qemu-user=$version" >/dev/null
    fi
}

# Writes zlib1.dll from MinGW's zlib as a Wine builtin, as libwine's own
# install step does for a system Wine.
wine32_builtin_zlib() {
    local mingw=$1 dlls=$2
    local in=$WINE32_ROOT/usr/$mingw-w64-mingw32/lib/zlib1.dll
    {
        head -c 64 "$in"
        printf 'Wine builtin DLL'
        printf '\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'
        tail -c +97 "$in"
    } > "$WINE32_ROOT/usr/lib/$dlls/zlib1.dll"
}

# Unpacks the 32-bit Wine with every i386 library it uses, and the 64-bit
# Wine of the same version beside it, into build/wine32/root.
wine32_tree() {
    local version
    version=$(apt-cache policy wine32:i386 2>/dev/null | sed -n 's/^ *Candidate: //p')
    if [ -z "$version" ] || [ "$version" = "(none)" ]; then
        echo "wine32: apt knows no wine32:i386 (is the i386 architecture added and apt-get update run?)" >&2
        return 1
    fi
    local stamp="$version $WINE32_ROOT"
    if [ -x "$WINE32_BIN/wine-preloader" ] && [ "$(cat "$WINE32_DIR/ready" 2>/dev/null)" = "$stamp" ]; then
        return 0
    fi
    echo "wine32: unpacking Wine $version (32-bit half and i386 libraries) into $WINE32_DIR (once, about a minute)"
    rm -rf "$WINE32_ROOT" "$WINE32_DIR/ready"
    mkdir -p "$WINE32_DIR/debs" "$WINE32_ROOT" "$WINE32_DIR/fontcache"
    local packages
    mapfile -t packages < <(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
        --no-breaks --no-replaces --no-enhances "${WINE32_PACKAGES[@]}" 2>/dev/null |
        grep -E '^[a-z0-9][^ ]*:i386$' | sort -u)
    packages+=("wine64=$version" "libwine=$version" libz-mingw-w64)
    local tries=1
    # Lists older than the archive name files it no longer has: root renews them once.
    [ "$(id -u)" -eq 0 ] && tries=2
    while ! (cd "$WINE32_DIR/debs" && apt-get download "${packages[@]}") >"$WINE32_DIR/download.log" 2>&1; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || { cat "$WINE32_DIR/download.log" >&2; return 1; }
        apt-get update -qq
    done
    local deb
    for deb in "$WINE32_DIR"/debs/*.deb; do dpkg -x "$deb" "$WINE32_ROOT"; done
    rm -rf "$WINE32_DIR/debs"
    # qemu -L takes a path from the folder whenever it exists there; these
    # would hide the machine's fonts and their configuration.
    rm -rf "$WINE32_ROOT/usr/share/fonts" "$WINE32_ROOT/etc/fonts"
    wine32_builtin_zlib i686 i386-linux-gnu/wine/i386-windows
    wine32_builtin_zlib x86_64 x86_64-linux-gnu/wine/x86_64-windows

    cat > "$WINE32_DIR/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<!-- The machine's fonts for the 32-bit processes, with a cache of their own. -->
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <cachedir>$WINE32_DIR/fontcache</cachedir>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
</fontconfig>
EOF
    # GStreamer scans its plugins in the process itself: its scanner is an
    # i386 program the machine cannot start. Its registry goes to the cache
    # folder under a name of each architecture, so 64-bit children, which
    # inherit these settings, cannot spoil the i386 one.
    local libs=$WINE32_ROOT/lib/i386-linux-gnu:$WINE32_ROOT/usr/lib/i386-linux-gnu
    cat > "$WINE32_BIN/wine-preloader" <<EOF
#!/bin/sh
# Runs one 32-bit Wine process ("\$1" is the i386 loader) in the emulator.
exec qemu-i386 -L "$WINE32_ROOT" \\
    -E LD_LIBRARY_PATH="$libs" \\
    -E FONTCONFIG_FILE="$WINE32_DIR/fonts.conf" \\
    -E GST_PLUGIN_SYSTEM_PATH_1_0="$WINE32_ROOT/usr/lib/i386-linux-gnu/gstreamer-1.0" \\
    -E XDG_CACHE_HOME="$WINE32_DIR/cache" \\
    -E GST_REGISTRY_FORK=no \\
    "\$@"
EOF
    # libwine's wineserver script names the machine's /usr/lib/wine.
    cat > "$WINE32_BIN/wineserver" <<EOF
#!/bin/sh
exec "$WINE32_BIN/wineserver64" -p0 "\$@"
EOF
    chmod +x "$WINE32_BIN/wine-preloader" "$WINE32_BIN/wineserver"
    echo "$stamp" > "$WINE32_DIR/ready"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    wine32_system
    wine32_tree
    exit 0
fi

# Sourced after bench.sh: the bench's functions run this Wine in a prefix of its own.
BENCH_DIR=${KANOZE_BENCH32_DIR:-$KANOZE_BUILD/bench32}
export WINEPREFIX=$BENCH_DIR/wineprefix
export ALSA_CONFIG_PATH=$BENCH_DIR/alsa.conf
# A crash must end the program, not wait minutes in the emulated debugger.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d"
bench_wine_path() { echo "$WINE32_BIN/wine64"; }
bench_wine() { "$WINE32_BIN/wine64" "$@"; }
wineserver() { "$WINE32_BIN/wineserver" "$@"; }
