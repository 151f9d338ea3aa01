#!/usr/bin/env bash
# Installs what a target needs on Debian or Ubuntu, once: setup.sh GROUP...
#   build  compilers, CMake, GoogleTest, nasm (libjpeg-turbo's SIMD code) and
#          dpkg-source (unpacks its source package): make build, unit and dist
#   fuzz   clang with its libFuzzer runtime: make fuzz and fuzz-check
#   wine   Wine, a virtual display, fonts, sound and the Japanese locale (and
#          the English and French ones the tests run the game in too):
#          the targets that run the game (play, e2e, bench, soak)
# As root it installs with apt-get; otherwise it prints the command and stops.
set -euo pipefail

groups=("$@")
[ ${#groups[@]} -gt 0 ] || groups=(build fuzz wine)
wants() { local g; for g in "${groups[@]}"; do [ "$g" = "$1" ] && return 0; done; return 1; }

packages=()
if wants build; then
    packages+=(make cmake ninja-build g++ libgtest-dev python3 git nasm dpkg-dev
        g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686)
fi
clang_major=
if wants fuzz; then
    packages+=(clang)
    # libFuzzer's runtime lives in a package named after the clang version.
    clang_major=$(clang --version 2>/dev/null | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n 1)
    if [ -n "$clang_major" ]; then packages+=("libclang-rt-$clang_major-dev"); fi
fi
needs_locale=0
# The game runs in Japanese; the tests also run it in an English and a
# French locale, where it shows its English texts.
locales=(ja_JP en_US fr_FR)
missing_locales() {
    local name
    for name in "${locales[@]}"; do
        locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$" || echo "$name"
    done
}
if wants wine; then
    # fonts-wine: Wine's own fonts, which draw the caption buttons and the
    # dialogs' texts as on Windows.
    packages+=(wine wine64 xvfb xauth x11-utils fonts-ipafont-gothic fonts-wine locales
        gstreamer1.0-plugins-good lame python3)
    [ -z "$(missing_locales)" ] || needs_locale=1
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ] && [ $needs_locale -eq 0 ]; then exit 0; fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Kanoze needs packages or the ja_JP.UTF-8 locale. Run as root:" >&2
    [ ${#missing[@]} -gt 0 ] && echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
    [ $needs_locale -eq 1 ] && for name in $(missing_locales); do
        echo "  sed -i 's/^# *$name.UTF-8 UTF-8/$name.UTF-8 UTF-8/' /etc/locale.gen"
    done >&2 && echo "  locale-gen" >&2
    exit 1
fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    # clang may have come just now: look again for its libFuzzer runtime.
    if wants fuzz && [ -z "$clang_major" ] && [ "${KANOZE_SETUP_AGAIN:-}" != 1 ]; then
        KANOZE_SETUP_AGAIN=1 exec "$0" "${groups[@]}"
    fi
fi
if [ $needs_locale -eq 1 ] && [ -n "$(missing_locales)" ]; then
    for name in $(missing_locales); do
        echo "setup: generating the $name.UTF-8 locale"
        if [ -f /etc/locale.gen ]; then
            grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen || echo "$name.UTF-8 UTF-8" >> /etc/locale.gen
        else
            locale-gen "$name.UTF-8" >/dev/null
        fi
    done
    if [ -f /etc/locale.gen ]; then locale-gen >/dev/null; fi
fi
