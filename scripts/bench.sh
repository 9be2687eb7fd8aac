#!/usr/bin/env bash
# Builds optimised trees and runs every benchmark: natively (build/bench, each benchmark on a
# scratch simulated machine), then the 64-bit Windows build under Wine in a throwaway prefix,
# where the registry search is timed beside "reg query" on the same keys and, on both, beside a
# bare enumeration of those keys. The cab clean is timed natively beside the pipeline
# cabextract + gcab -c -z on the same cabinet.
# Usage: scripts/bench.sh [--native-only | --wine-only]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${TVX_BENCH_BUILD:-$ROOT/build/bench}"
WIN_BUILD="${TVX_BENCH_WIN_BUILD:-$ROOT/build/bench-win64}"
JOBS="${TVX_JOBS:-$(nproc)}"
# shellcheck source=lib.sh
. "$ROOT/scripts/lib.sh"
# Only the cab benchmark's comparison needs these.
ensure_packages gcab cabextract

native=1
wine_part=1
case "${1:-}" in
--native-only) wine_part=0 ;;
--wine-only) native=0 ;;
"") ;;
*)
    echo "usage: $0 [--native-only | --wine-only]" >&2
    exit 2
    ;;
esac

# The registry search of the cleaning windows and the text the benchmark's registry holds.
BENCH_KEY='HKEY_LOCAL_MACHINE\Software\TvxBench'
SEARCH_TEXT=NVIDIA

status=0
scratch="$(mktemp -d /tmp/tvx-bench.XXXXXX)"
made_prefix=0
cleanup() {
    # Only the prefix made here: a WINEPREFIX from the caller's environment stays untouched.
    if [ "$made_prefix" -eq 1 ]; then
        drop_wine_prefix
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

now() { date +%s.%N; }

# cab_pipeline MACHINE OUTPUT: the same clean with cabextract and gcab (MSZIP) on the original
# cabinet cab_bench left on MACHINE, timed beside the clean cab_bench reported in OUTPUT.
cab_pipeline() {
    local original="$1/drives/C/bench-original.cab"
    local work="$scratch/cab-pipeline"
    rm -rf "$work"
    mkdir -p "$work/files"
    local start
    start="$(now)"
    cabextract -q -d "$work/files" "$original"
    find "$work/files" -type f \( -iname 'ati*' -o -iname 'nv*' \) -delete
    (cd "$work/files" && find . -type f -printf '%P\n' | sort | xargs gcab -c -z "$work/gcab.cab")
    local theirs
    theirs="$(elapsed "$start" "$(now)")"
    local line ours original_size our_size
    line="$(grep '^cab_bench: seconds=' "$2")"
    ours="$(echo "$line" | sed -E 's/.*seconds=([0-9.]+).*/\1/')"
    original_size="$(echo "$line" | sed -E 's/.*original=([0-9]+).*/\1/')"
    our_size="$(echo "$line" | sed -E 's/.*ours=([0-9]+).*/\1/')"
    echo "  cabextract + gcab -c -z: ${theirs} s; the cab cleaner: ${ours} s"
    awk -v a="$ours" -v b="$theirs" \
        'BEGIN { printf "  pipeline / cab cleaner = %.2f (above 1: the cab cleaner is faster)\n", b / a }'
    echo "  sizes: original ${original_size} bytes, ours ${our_size} bytes," \
        "gcab $(stat -c %s "$work/gcab.cab") bytes (both without the ATI and NVIDIA files)"
    rm -rf "$work"
}
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
smaller() { awk -v a="$1" -v b="$2" 'BEGIN { print (b < a ? b : a) }'; }

if [ "$native" -eq 1 ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTVX_SANITIZE=OFF >/dev/null
    cmake --build "$BUILD" -j "$JOBS"
    found=0
    for bench in "$BUILD"/bin/*_bench; do
        [ -x "$bench" ] || continue
        found=1
        name="$(basename "$bench")"
        echo "== $name (native, simulated machine)"
        # Benchmarks change the machine they run on: each gets a fresh one.
        machine="$scratch/$name"
        "$BUILD/bin/tvxmachine" create "$machine" xp-sp2 >/dev/null
        TVX_MACHINE="$machine" "$bench" | tee "$scratch/$name.out" || status=1
        if [ "$name" = cab_bench ]; then
            cab_pipeline "$machine" "$scratch/$name.out" || status=1
        fi
        rm -rf "$machine"
    done
    if [ "$found" -eq 0 ]; then
        echo "no benchmarks found in $BUILD/bin"
        exit 1
    fi
fi

if [ "$wine_part" -eq 1 ]; then
    cmake -S "$ROOT" -B "$WIN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" >/dev/null
    targets=()
    for source in "$ROOT"/bench/*.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
    # The cab benchmark runs the program folder's extract.exe and cab.dll: built beside it.
    cmake --build "$WIN_BUILD" -j "$JOBS" --target "${targets[@]}" extract cabdll
    unset WINEPREFIX
    made_prefix=1
    make_wine_prefix
    # A persistent server keeps the registry in memory between the programs, so no timing below
    # pays for loading or saving it.
    wineserver -p
    for target in "${targets[@]}"; do
        [ "$target" = regsearch_bench ] && continue
        echo "== $target (Windows build under Wine)"
        wine "$WIN_BUILD/bin/$target.exe" || status=1
    done

    echo "== regsearch_bench (Windows build under Wine) against reg query"
    exe="$WIN_BUILD/bin/regsearch_bench.exe"
    wine "$exe" generate || status=1
    # Wine's reg has no /f before version 9: then the nearest walk is a full listing (/s) whose
    # key lines are filtered here by their last name, as /f /k would.
    reg_args=(/s /f "$SEARCH_TEXT" /k)
    if ! wine reg query "$BENCH_KEY" "${reg_args[@]}" >/dev/null 2>&1; then
        reg_args=(/s)
        echo "  this Wine's reg query has no /f: timing reg query $BENCH_KEY /s, filtered afterwards"
    fi
    ours=1e9
    theirs=1e9
    for round in 1 2 3; do
        start="$(now)"
        wine "$exe" search --rounds 1 --hits "$(winepath -w "$scratch/hits.txt")" >"$scratch/ours.txt" ||
            status=1
        mine="$(elapsed "$start" "$(now)")"
        start="$(now)"
        wine reg query "$BENCH_KEY" "${reg_args[@]}" >"$scratch/reg.txt" 2>&1 || status=1
        reg="$(elapsed "$start" "$(now)")"
        inside="$(sed -n 's/.*best \([0-9.]*\) s.*/\1/p' "$scratch/ours.txt")"
        echo "  round $round: registry search ${mine} s (${inside:-?} s of it searching), reg query ${reg} s"
        ours="$(smaller "$ours" "$mine")"
        theirs="$(smaller "$theirs" "$reg")"
    done
    tr -d '\r' <"$scratch/hits.txt" | sort >"$scratch/our-keys.txt"
    tr -d '\r' <"$scratch/reg.txt" |
        awk -F'\\' -v text="$SEARCH_TEXT" '/^HKEY_/ && index(tolower($NF), tolower(text))' |
        sort >"$scratch/reg-keys.txt"
    echo "  whole process, best of 3: registry search ${ours} s ($(wc -l <"$scratch/our-keys.txt") hits)," \
        "reg query ${theirs} s ($(wc -l <"$scratch/reg-keys.txt") matching keys)"
    awk -v a="$ours" -v b="$theirs" \
        'BEGIN { printf "  reg query / registry search = %.2f (above 1: the search is faster)\n", b / a }'
    if ! cmp -s "$scratch/our-keys.txt" "$scratch/reg-keys.txt"; then
        echo "  the search and reg query found different keys"
        status=1
    fi
    echo "== regsearch_bench (Windows build under Wine) against a bare enumeration"
    wine "$exe" compare --rounds 3 | tr -d '\r' | tail -n +2 || status=1
    wineserver -k
fi
exit "$status"
