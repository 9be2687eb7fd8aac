#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang on the simulated machine and runs each for a while.
# usage: scripts/fuzz.sh [SECONDS-PER-HARNESS]   (default 10)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$ROOT/scripts/lib.sh"

SECONDS_EACH="${1:-10}"
ensure_packages cmake ninja-build clang libclang-rt-14-dev
BUILD="$ROOT/build/fuzz"
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTVX_SANITIZE=ON -DTVX_TESTS=OFF -DTVX_FUZZ=ON >/dev/null
nice cmake --build "$BUILD" -j "$(nproc)" --target fuzz_targets
status=0
for harness in "$BUILD"/fuzz/fuzz_*; do
    name="$(basename "$harness")"
    corpus="$BUILD/corpus/$name"
    mkdir -p "$corpus"
    seeds="$ROOT/fuzz/seeds/${name#fuzz_}"
    dirs=("$corpus")
    [ -d "$seeds" ] && dirs+=("$seeds")
    echo "== $name (${SECONDS_EACH}s)"
    if ! "$harness" -max_total_time="$SECONDS_EACH" -timeout=20 -print_final_stats=0 \
        -artifact_prefix="$BUILD/crash-$name-" "${dirs[@]}" >"$BUILD/$name.log" 2>&1; then
        echo "$name FAILED; see $BUILD/$name.log"
        tail -n 30 "$BUILD/$name.log"
        status=1
    else
        grep -E "^#[0-9]+.*DONE|Done [0-9]+ runs" "$BUILD/$name.log" | tail -n 1 || true
    fi
done
exit "$status"
