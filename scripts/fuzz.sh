#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (build/fuzz) and runs each for SECONDS (default 60)
# from its seed corpus in fuzz/corpus/. Exits non-zero when a harness finds a fault.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
SECONDS_EACH="${1:-60}"
BUILD="$ROOT/build/fuzz"
. "$ROOT/scripts/lib.sh"
ensure_packages "${TVX_PACKAGES[@]}" clang libclang-rt-dev

CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTVX_FUZZ=ON -DTVX_TESTS=OFF >/dev/null
harnesses=(cabinet_read_fuzz cabinet_roundtrip_fuzz)
nice cmake --build "$BUILD" -j "$(nproc)" --target "${harnesses[@]}"

status=0
for harness in "${harnesses[@]}"; do
    # The seeds stay as they are; what the run finds goes to a corpus of the build.
    corpus="$BUILD/corpus/$harness"
    mkdir -p "$corpus"
    export TVX_FUZZ_MACHINE="$BUILD/machine-$harness"
    rm -rf "$TVX_FUZZ_MACHINE"
    echo "== $harness ($SECONDS_EACH s)"
    if ! "$BUILD/fuzz/$harness" -max_total_time="$SECONDS_EACH" -print_final_stats=0 \
        -artifact_prefix="$BUILD/" "$corpus" "$ROOT/fuzz/corpus/$harness" 2>"$BUILD/$harness.log"; then
        tail -n 30 "$BUILD/$harness.log"
        status=1
    else
        tail -n 1 "$BUILD/$harness.log"
    fi
    rm -rf "$TVX_FUZZ_MACHINE"
done
exit "$status"
