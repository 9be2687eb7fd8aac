#!/usr/bin/env bash
# Builds an optimised native tree (no sanitizers) in build/bench and runs every benchmark in it.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$ROOT/build/bench"

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTVX_SANITIZE=OFF >/dev/null
cmake --build "$BUILD" -j "$(nproc)"

status=0
found=0
for bench in "$BUILD"/bin/*_bench; do
    [ -x "$bench" ] || continue
    found=1
    echo "== $(basename "$bench")"
    "$bench" || status=1
done
if [ "$found" -eq 0 ]; then
    echo "no benchmarks found in $BUILD/bin"
    exit 1
fi
exit "$status"
