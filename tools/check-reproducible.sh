#!/usr/bin/env bash
# Builds the committed x86_64 program and its release zip in two folders of
# different names and compares the bytes. When the working tree holds just
# the commit and its build is packed (make build dist), that build is the
# first of the two; otherwise two clones are built. Each clone gets its own
# copy of the fetched libjpeg-turbo source in its build folder.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$ROOT/tools/common.sh"
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
zip=dist/$(release_zip_name "${KANOZE_BUILD:-$ROOT/build}/win64" 2>/dev/null || true).zip
first=$ROOT
if [ -n "$(git -C "$ROOT" status --porcelain)" ] || [ ! -f "$ROOT/$zip" ] || [ "$zip" = dist/.zip ]; then
    build first
    first=$WORK/first
    zip=dist/$(release_zip_name "$first/build/win64").zip
else
    echo "reproducible: the working tree's build is the first, a clone elsewhere the second"
fi
build second-elsewhere

status=0
for file in build/win64/kanoze.exe "$zip"; do
    if cmp -s "$first/$file" "$WORK/second-elsewhere/$file"; then
        echo "reproducible: $file identical ($(sha256sum < "$first/$file" | cut -c1-16)...)"
    else
        echo "reproducible: $file DIFFERS between the two builds"
        status=1
    fi
done
[ $status -ne 0 ] || rm -rf "$WORK"
exit $status
