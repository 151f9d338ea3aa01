#!/usr/bin/env bash
# Packs both Windows programs into release zips with CPack and writes their
# checksums: dist/kanoze-<version>-win32.zip, ...-win64.zip and SHA256SUMS.
# The same commit gives the same bytes in any folder and at any time.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh
DIST=${KANOZE_DIST:-dist}
platforms=${KANOZE_DIST_PLATFORMS:-win32 win64}

# Every zip entry carries the commit's time (outside a clone: a fixed one).
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 946684800)
fi
export SOURCE_DATE_EPOCH
# A zip keeps local times; one zone for every build.
export TZ=UTC

mkdir -p "$DIST"
zips=()
for platform in $platforms; do
    tree=build/$platform
    cmake --build --preset "release-$platform"
    name=$(release_zip_name "$tree")
    rm -rf "$tree/package"
    (umask 022 && cpack -G ZIP --config "$tree/CPackConfig.cmake" -B "$tree/package" >"$tree/cpack.log") ||
        { cat "$tree/cpack.log"; exit 1; }
    cp "$tree/package/$name.zip" "$DIST/"
    zips+=("$name.zip")
done
(cd "$DIST" && sha256sum "${zips[@]}" > SHA256SUMS)
echo "dist: $(cd "$DIST" && pwd)"
sed 's/^/  /' "$DIST/SHA256SUMS"
