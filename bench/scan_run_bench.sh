#!/bin/bash
# Times a whole scan run (scan_run_bench.exe: target tree, counting pass, walk, engine library,
# hidden-path tests) against the engine alone ("vestsig scan -r -j 1 --per-file": one file at a
# time, as the library's VestScanFile checks them) on the benchmark tree of make_corpus.py, both
# under Wine in the Windows build's prefix, and fails when the scan run takes more than twice the
# engine's scanning time.
#
#   bench/scan_run_bench.sh BUILD_WIN [CORPUS]
#
# BUILD_WIN  the Windows build folder (with dist/VestEngine.dll, tools/vestsig/vestsig.exe and
#            bench programs built)
# CORPUS     where the benchmark tree is made once (default BUILD_WIN/bench-corpus); make_corpus.py
#            options can be passed in CORPUS_OPTIONS (default: its own defaults)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: scan_run_bench.sh BUILD_WIN [CORPUS]}" && pwd)
corpus=${2:-$build/bench-corpus}
wine_run=$here/../tests/wine/wine-run.sh
make_corpus=${MAKE_CORPUS:-$here/../../shared/bench/make_corpus.py}
dll=$build/dist/VestEngine.dll
vestsig=$build/tools/vestsig/vestsig.exe
bench=$(find "$build" -name scan_run_bench.exe -print -quit)

for f in "$dll" "$vestsig" "${bench:-scan_run_bench.exe}"; do
    [ -f "$f" ] || { echo "scan_run_bench: missing $f" >&2; exit 2; }
done

winpath() { echo "Z:$1" | tr / '\\'; }

if [ ! -f "$corpus/expected.txt" ]; then
    # shellcheck disable=SC2086
    python3 "$make_corpus" "$corpus" ${CORPUS_OPTIONS:-}
fi
# The engine reads the database beside itself: a private copy of both.
mkdir -p "$corpus/engine"
cp "$dll" "$corpus/engine/VestEngine.dll"
if [ ! -f "$corpus/engine/Vestra.loov" ]; then
    export VESTRA_BINARY_DIR=$build
    "$wine_run" "$vestsig" compile "$(winpath "$corpus/sigs/bench.hdb")" \
        "$(winpath "$corpus/sigs/bench.hsb")" "$(winpath "$corpus/sigs/bench.ndb")" \
        -o "$(winpath "$corpus/engine/Vestra.loov")" >/dev/null
fi
export VESTRA_BINARY_DIR=$build
tree=$(winpath "$corpus/tree")
files=$(find "$corpus/tree" -type f | wc -l)
find "$corpus/tree" -type f -exec cat {} + >/dev/null  # the page cache starts warm for both

engine_out=$("$wine_run" "$vestsig" scan -r -j 1 --per-file -d "$(winpath "$corpus/engine/Vestra.loov")" "$tree" | tr -d '\r' || true)
total=$(echo "$engine_out" | sed -n 's/^Time: \([0-9.]*\) s$/\1/p')
load=$(echo "$engine_out" | sed -n 's/.*(loaded in \([0-9.]*\) s)$/\1/p')
engine_found=$(echo "$engine_out" | sed -n 's/^Detections: //p')
[ -n "$total" ] && [ -n "$load" ] || { echo "scan_run_bench: no time from vestsig" >&2; exit 2; }
engine_seconds=$(echo "$total - $load" | bc -l)

run_out=$("$wine_run" "$bench" "$(winpath "$corpus/engine/VestEngine.dll")" "$tree" | tr -d '\r')
echo "$run_out"
run_seconds=$(echo "$run_out" | sed -n 's/.* seconds=\([0-9.]*\) .*/\1/p')
run_found=$(echo "$run_out" | sed -n 's/.* detected=\([0-9]*\) .*/\1/p')
[ -n "$run_seconds" ] || { echo "scan_run_bench: no time from the scan run" >&2; exit 2; }

rate() { echo "scale=0; $files / $1" | bc -l; }
printf 'tree: %s files, %s planted\n' "$files" "$(wc -l < "$corpus/expected.txt")"
printf 'engine only (vestsig scan -j 1 --per-file): %.3f s, %s files/s, %s detections\n' \
    "$engine_seconds" "$(rate "$engine_seconds")" "$engine_found"
printf 'whole scan run:                             %.3f s, %s files/s, %s detections\n' \
    "$run_seconds" "$(rate "$run_seconds")" "$run_found"
ratio=$(echo "scale=2; $run_seconds / $engine_seconds" | bc -l)
echo "ratio: $ratio (limit 2)"
if [ "$run_found" != "$engine_found" ]; then
    echo "scan_run_bench: the scan run and the engine found different numbers of files" >&2
    exit 1
fi
if [ "$(echo "$run_seconds > 2 * $engine_seconds" | bc -l)" = 1 ]; then
    echo "scan_run_bench: the scan run is slower than twice the engine alone" >&2
    exit 1
fi
