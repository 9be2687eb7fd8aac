#!/usr/bin/env bash
# Builds the 32-bit Windows release (build/release, the tree scripts/test.sh builds too) and packs
# its program folder into build/dist/Tarvex-<version>.zip. The image is made afresh on every run
# (the programs relinked, the data encoded again), so it holds exactly what this build puts there.
# The same tree gives the same bytes: the programs carry no time stamp, and the archive has sorted
# entries, one date (the last commit's, or SOURCE_DATE_EPOCH) and fixed attributes.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$ROOT/scripts/lib.sh"

ensure_packages cmake ninja-build g++ mingw-w64 g++-mingw-w64-i686-win32 python3
TREE="$ROOT/build/release"
DIST="$ROOT/build/dist"

version() {
    local header="$ROOT/src/base/Version.h"
    local major minor
    major="$(sed -n 's/.*kMajorVersion = \([0-9]*\);.*/\1/p' "$header")"
    minor="$(sed -n 's/.*kMinorVersion = \([0-9]*\);.*/\1/p' "$header")"
    echo "$major.$minor"
}
VERSION="$(version)"
ARCHIVE="$DIST/Tarvex-$VERSION.zip"
EPOCH="${SOURCE_DATE_EPOCH:-$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || echo 946684800)}"

echo "== 32-bit Windows release build (i686) in $TREE, with a fresh program folder image"
# Without the image and the linked programs the build makes both again: the programs are relinked
# and copied into the image, the data encoded into it; nothing left over from earlier builds stays.
rm -rf "$TREE/image"
if [ -d "$TREE" ]; then
    find "$TREE" -path "$TREE/CMakeFiles" -prune -o -type f \( -name '*.exe' -o -name '*.dll' \) \
        -print | xargs -r rm -f
fi
cmake -S "$ROOT" -B "$TREE" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DTVX_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$TREE" -j "$(nproc)"

echo "== Imports of the shipped programs against the Windows versions promised"
python3 "$ROOT/scripts/imports.py" "$TREE/image"

echo "== Packing $ARCHIVE"
python3 "$ROOT/scripts/packzip.py" "$TREE/image" "$ARCHIVE" Tarvex "$EPOCH"
(cd "$DIST" && sha256sum "$(basename "$ARCHIVE")")
