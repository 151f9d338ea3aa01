#!/usr/bin/env bash
# Builds the committed x86_64 program and its release zip twice, from two
# clones in folders of different names, and compares the bytes. Each clone
# gets its own copy of the fetched libjpeg-turbo source in its build folder.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
WORK=${KANOZE_BUILD:-$ROOT/build}/reproducible
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
LIBJPEG=${KANOZE_BUILD:-$ROOT/build}/libjpeg-turbo
"$ROOT/tools/libjpeg-turbo.sh"
rm -rf "$WORK"
mkdir -p "$WORK"

build() {
    local folder=$WORK/$1
    git clone --quiet --no-hardlinks "$ROOT" "$folder"
    mkdir -p "$folder/build"
    cp -a "$LIBJPEG" "$folder/build/"
    (cd "$folder" &&
        cmake --preset win64 >/dev/null &&
        KANOZE_DIST_PLATFORMS=win64 tools/dist.sh >/dev/null) >"$WORK/$1.log" 2>&1 ||
        { cat "$WORK/$1.log"; return 1; }
}
build first
build second-elsewhere

status=0
for file in build/win64/kanoze.exe dist/SHA256SUMS; do
    if cmp -s "$WORK/first/$file" "$WORK/second-elsewhere/$file"; then
        echo "reproducible: $file identical ($(sha256sum < "$WORK/first/$file" | cut -c1-16)...)"
    else
        echo "reproducible: $file DIFFERS between the two builds"
        status=1
    fi
done
[ $status -ne 0 ] || rm -rf "$WORK"
exit $status
