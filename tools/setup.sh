#!/usr/bin/env bash
# Installs what building, testing and playing need on Debian or Ubuntu, once.
# As root it installs with apt-get; otherwise it prints the command and stops.
set -euo pipefail

packages=(
    make cmake ninja-build g++ libgtest-dev clang python3
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine wine64 xvfb xauth x11-utils fonts-ipafont-gothic locales gstreamer1.0-plugins-good lame
)
# libFuzzer's runtime lives in a package named after the clang version.
clang_major=$(clang --version 2>/dev/null | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n 1)
if [ -n "$clang_major" ]; then packages+=("libclang-rt-$clang_major-dev"); fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

needs_locale=0
locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' || needs_locale=1

if [ ${#missing[@]} -eq 0 ] && [ $needs_locale -eq 0 ]; then exit 0; fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Kanoze needs packages or the ja_JP.UTF-8 locale. Run as root:" >&2
    [ ${#missing[@]} -gt 0 ] && echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
    [ $needs_locale -eq 1 ] && echo "  sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen && locale-gen" >&2
    exit 1
fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    # clang may have come just now: look again for its libFuzzer runtime.
    [ -z "$clang_major" ] && [ "${1:-}" != again ] && exec "$0" again
fi
if [ $needs_locale -eq 1 ] || ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    echo "setup: generating the ja_JP.UTF-8 locale"
    if [ -f /etc/locale.gen ]; then
        grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
        locale-gen >/dev/null
    else
        locale-gen ja_JP.UTF-8 >/dev/null
    fi
fi
