# Wine bench: a private prefix under build/, Japanese locale, a virtual X
# display and a null sound device. Source this file, then call the functions.
# Nothing outside the build tree is touched.

KANOZE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$KANOZE_ROOT/tools/common.sh"
KANOZE_BUILD=${KANOZE_BUILD:-$KANOZE_ROOT/build}
BENCH_DIR=${KANOZE_BENCH_DIR:-$KANOZE_BUILD/bench}
export WINEPREFIX=$BENCH_DIR/wineprefix
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompts, and no menu entries written into $HOME.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export ALSA_CONFIG_PATH=$BENCH_DIR/alsa.conf
DESKTOP_SIZE=${DESKTOP_SIZE:-1024x768}

# The Wine loader that runs the 64-bit programs.
bench_wine_path() {
    if command -v wine64 >/dev/null 2>&1; then command -v wine64
    elif [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64
    else command -v wine
    fi
}

bench_wine() { "$(bench_wine_path)" "$@"; }

# Creates the prefix once: boot, then one shared virtual desktop for every
# program of the prefix, so test drivers and the game see each other's windows.
bench_prefix() {
    mkdir -p "$BENCH_DIR"
    printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$ALSA_CONFIG_PATH"
    if [ -f "$WINEPREFIX/.kanoze-ready-3" ]; then bench_wine_fonts; return 0; fi
    rm -rf "$WINEPREFIX"
    echo "bench: creating the Wine prefix (once, about 20 s)"
    bench_wine wineboot -i >"$BENCH_DIR/wineboot.log" 2>&1 || { cat "$BENCH_DIR/wineboot.log"; return 1; }
    bench_wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$BENCH_DIR/wineboot.log" 2>&1
    bench_wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$DESKTOP_SIZE" /f >>"$BENCH_DIR/wineboot.log" 2>&1
    # DirectDraw through GDI: a virtual display has no dependable OpenGL.
    bench_wine reg add 'HKCU\Software\Wine\Direct3D' /v renderer /d gdi /f >>"$BENCH_DIR/wineboot.log" 2>&1
    bench_font_replacements >>"$BENCH_DIR/wineboot.log" 2>&1
    wineserver -w
    bench_wine_fonts
    touch "$WINEPREFIX/.kanoze-ready-3"
}

# The Japanese dialogs name ＭＳ Ｐゴシック and ＭＳ ゴシック. Wine would put a
# wider face in their place and cut their labels; the IPA Gothic fonts have
# their metrics. Japanese value names go through a UTF-16 .reg file, which
# regedit reads whatever the locale's code page.
bench_font_replacements() {
    local reg=$WINEPREFIX/drive_c/kanoze-fonts.reg
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
        '"ＭＳ Ｐゴシック"="IPAPGothic"' '"ＭＳ ゴシック"="IPAGothic"' '' |
        { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$reg"
    bench_wine regedit /S 'C:\kanoze-fonts.reg'
    rm -f "$reg"
}

# Wine's own TrueType fonts (fonts-wine: Marlett for the caption buttons,
# Tahoma for dialogs) are not found by this Wine in its data folder, so the
# prefix's Fonts folder links to them.
bench_wine_fonts() {
    local font
    for font in /usr/share/wine/fonts/*.ttf; do
        [ -e "$font" ] || continue
        ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
}

# One run at a time per prefix: a second wineserver user on another display
# would share the first one's desktop, and a stop would end both.
bench_lock() {
    mkdir -p "$BENCH_DIR"
    exec 9>"$BENCH_DIR/lock"
    flock 9
}

# Starts a private X display for this run and exports DISPLAY. Xvfb itself
# picks a free display number and writes it once it accepts connections, so
# runs started side by side never race for the same one.
bench_xvfb_start() {
    mkdir -p "$BENCH_DIR"
    local number=$BENCH_DIR/xvfb-display n i
    : >"$number"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >"$BENCH_DIR/xvfb.log" 2>&1 &
    BENCH_XVFB_PID=$!
    for i in $(seq 1 100); do
        # The number is complete once its line ends.
        if read -r n <"$number" && [ -n "$n" ]; then
            export DISPLAY=":$n"
            return 0
        fi
        kill -0 "$BENCH_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "bench: could not start Xvfb (see $BENCH_DIR/xvfb.log)" >&2
    return 1
}

bench_stop() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${BENCH_XVFB_PID:-}" ]; then
        kill "$BENCH_XVFB_PID" 2>/dev/null || true
        wait "$BENCH_XVFB_PID" 2>/dev/null || true
        BENCH_XVFB_PID=
    fi
}
