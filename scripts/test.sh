#!/usr/bin/env bash
# Installs what is missing, builds both targets, and runs the test suite natively and under Wine.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$ROOT/scripts/lib.sh"

ensure_packages "${TVX_PACKAGES[@]}"
JOBS="$(nproc)"

echo "== native build (simulated machine, sanitizers)"
cmake -S "$ROOT" -B "$ROOT/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTVX_SANITIZE=ON >/dev/null
cmake --build "$ROOT/build/native" -j "$JOBS"

echo "== Windows build (x86_64, for the tests under Wine)"
cmake -S "$ROOT" -B "$ROOT/build/win64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$ROOT/build/win64" -j "$JOBS"

echo "== Windows release build (i686)"
cmake -S "$ROOT" -B "$ROOT/build/release" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DTVX_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$ROOT/build/release" -j "$JOBS"

status=0
echo "== native tests"
ctest --test-dir "$ROOT/build/native" --output-on-failure || status=1

echo "== Windows tests under Wine"
trap drop_wine_prefix EXIT
make_wine_prefix
ctest --test-dir "$ROOT/build/win64" --output-on-failure || status=1
drop_wine_prefix

summary() {
    local log="$ROOT/build/$1/Testing/Temporary/LastTest.log"
    local line
    line="$(grep -h '^\[doctest\] test cases:' "$log" 2>/dev/null | tail -n 1 || true)"
    echo "$2: ${line:-no summary (the test binary did not finish)}"
}
echo "== summaries"
summary native "native (sim)"
summary win64 "Windows (Wine)"
if [ "$status" -eq 0 ]; then
    echo "ALL TESTS PASSED"
else
    echo "TESTS FAILED"
fi
exit "$status"
