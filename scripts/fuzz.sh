#!/usr/bin/env bash
# Runs each libFuzzer harness for a while on the simulated machine.
# usage: scripts/fuzz.sh [SECONDS-PER-HARNESS [BUILD-DIR]]   (default 10 s; a clang tree of its own)
# A build tree given must have been configured with clang and -DTVX_FUZZ=ON (scripts/test.sh's
# native tree is).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$ROOT/scripts/lib.sh"

SECONDS_EACH="${1:-10}"
BUILD="${2:-}"
if [ -z "$BUILD" ]; then
    ensure_packages "${TVX_PACKAGES[@]}"
    BUILD="$ROOT/build/fuzz"
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DTVX_SANITIZE=ON -DTVX_TESTS=OFF -DTVX_FUZZ=ON >/dev/null
fi
nice cmake --build "$BUILD" -j "$(nproc)" --target fuzz_targets
status=0
for harness in "$BUILD"/fuzz/fuzz_*; do
    [ -x "$harness" ] || continue
    name="$(basename "$harness")"
    corpus="$BUILD/corpus/$name"
    mkdir -p "$corpus"
    dirs=("$corpus")
    seeds="$ROOT/fuzz/seeds/${name#fuzz_}"
    [ -d "$seeds" ] && dirs+=("$seeds")
    if "$harness" -max_total_time="$SECONDS_EACH" -timeout=20 -print_final_stats=0 \
        -artifact_prefix="$BUILD/crash-$name-" "${dirs[@]}" >"$BUILD/$name.log" 2>&1; then
        echo "fuzz $name: $(grep -E '^Done [0-9]+ runs' "$BUILD/$name.log" | tail -n 1)"
    else
        echo "fuzz $name: FAILED; see $BUILD/$name.log"
        tail -n 30 "$BUILD/$name.log"
        status=1
    fi
done
exit "$status"
