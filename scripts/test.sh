#!/usr/bin/env bash
# Installs what is missing, builds both targets, and runs the test suite natively and under Wine.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$ROOT/scripts/lib.sh"

ensure_packages "${TVX_PACKAGES[@]}" fonts-wine
JOBS="$(nproc)"

echo "== native build (simulated machine, clang with sanitizers and the fuzz harnesses)"
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$ROOT/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTVX_SANITIZE=ON -DTVX_FUZZ=ON >/dev/null
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
echo "== imports of the release's programs against the Windows versions promised"
imports="$(python3 "$ROOT/scripts/imports.py" "$ROOT/build/release/image")" || status=1
echo "$imports"

echo "== the release archive, made twice: the same bytes both times"
# release.sh ends with the archive's SHA-256 and name.
first="$(bash "$ROOT/scripts/release.sh" | tail -n 1)" || status=1
second="$(bash "$ROOT/scripts/release.sh" | tail -n 1)" || status=1
if [ -n "$first" ] && [ "$first" = "$second" ]; then
    reproducible="${first##* } reproducible (SHA-256 ${first:0:16}...)"
else
    reproducible="archive NOT reproducible: '$first' then '$second'"
    status=1
fi
echo "$reproducible"

echo "== native tests"
ctest --test-dir "$ROOT/build/native" --output-on-failure || status=1

echo "== fuzz harnesses, briefly"
bash "$ROOT/scripts/fuzz.sh" 5 "$ROOT/build/native" || status=1

echo "== Windows tests under Wine (real windows on an Xvfb display)"
trap 'stop_xvfb; drop_wine_prefix' EXIT
# The prefix is made without X; its windowed session below is a wineserver session of its own.
unset DISPLAY
make_wine_prefix
add_wine_fonts
start_xvfb
ctest --test-dir "$ROOT/build/win64" --output-on-failure || status=1
stop_xvfb
drop_wine_prefix

passed=0
failed=0
summary() {
    local log="$ROOT/build/$1/Testing/Temporary/LastTest.log"
    local line
    line="$(grep -h '^\[doctest\] test cases:' "$log" 2>/dev/null | tail -n 1 || true)"
    echo "$2: ${line:-no summary (the test binary did not finish)}"
    if [ -z "$line" ]; then
        failed=$((failed + 1))
        return
    fi
    # "[doctest] test cases: 162 | 160 passed | 2 failed | 0 skipped"
    passed=$((passed + $(echo "$line" | sed -E 's/.*\| *([0-9]+) passed.*/\1/')))
    failed=$((failed + $(echo "$line" | sed -E 's/.*\| *([0-9]+) failed.*/\1/')))
}
echo "== summaries"
summary native "native (sim)"
summary win64 "Windows (Wine)"
echo "release (32-bit, not started: no 32-bit code runs here): ${imports##*$'\n'}; $reproducible"
if [ "$failed" -ne 0 ]; then
    status=1
fi
echo "test cases: $passed passed, $failed failed"
exit "$status"
