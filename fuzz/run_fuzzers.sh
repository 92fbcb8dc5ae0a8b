#!/usr/bin/env bash
# Builds the fuzz targets in their own clang build and runs each for a while.
#   fuzz/run_fuzzers.sh [SECONDS_EACH] [BUILD_DIR]     (defaults: 180, build-fuzz)
# Seeds come from the shipped signature sources, a database compiled from them and archives
# written by the tests' ZIP writer; findings land in BUILD_DIR/fuzz-findings.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-180}
build=${2:-$root/build-fuzz}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DVESTRA_FUZZ=ON -DBUILD_TESTING=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$build" fuzz_database_loader fuzz_signature_source fuzz_cage_header fuzz_old_cage_index \
  fuzz_archive_reader fuzz_autorun_file fuzz_extract_targets fuzz_archive_seeds vestsig \
  vestra_database

seeds=$build/fuzz-seeds
findings=$build/fuzz-findings
mkdir -p "$seeds/database" "$seeds/source" "$seeds/cage_header" "$seeds/old_cage_index" \
  "$seeds/autorun_file" "$seeds/extract_targets" "$findings"
# An autorun file that starts a program and one that runs a script; a shortcut-like text.
printf '[autorun]\r\nopen=setup.exe\r\nicon=x.ico\r\n' >"$seeds/autorun_file/open.inf"
printf '[AutoRun]\nshell\\open\\command=E:\\RECYCLER\\x.exe\nshellexecute=wscript.exe thumb\n' \
  >"$seeds/autorun_file/script.inf"
printf 'C:\\Temp\\run.vbs ..\\..\\..\\..\\..\\windows\\system32\\wscript.exe open=.\\c.db' \
  >"$seeds/extract_targets/text.lnk"
# A quarantine file of a two-byte program, and an index with one sound and one escaping record.
printf 'Vra!C\0:\0\\\0a\0\0\0N\0\0\0T\0\0\0MZ' >"$seeds/cage_header/small.vra"
printf 'W32.A|Worm|C:\\a.exe|a.vra||W32.B|Virus|C:\\b.exe|..\\b.vra' >"$seeds/old_cage_index/Cage.DaB"
"$build/fuzz/fuzz_archive_seeds" "$seeds/archive"
cp "$build/dist/Vestra.loov" "$seeds/database/shipped.loov"
for source in "$root"/engine/signatures/*; do
  case "$source" in
    *.hdb) prefix='\x00' ;;
    *.hsb) prefix='\x01' ;;
    *.ndb) prefix='\x02' ;;
    *) continue ;;
  esac
  { printf "$prefix"; cat "$source"; } >"$seeds/source/$(basename "$source")"
done

for target in fuzz_database_loader fuzz_signature_source fuzz_cage_header fuzz_old_cage_index \
  fuzz_archive_reader fuzz_autorun_file fuzz_extract_targets; do
  kind=${target#fuzz_}
  corpus=$build/fuzz-corpus/$kind
  mkdir -p "$corpus"
  seed=$seeds/source
  [ "$kind" = database_loader ] && seed=$seeds/database
  case "$kind" in cage_header | old_cage_index | autorun_file | extract_targets) seed=$seeds/$kind ;; esac
  [ "$kind" = archive_reader ] && seed=$seeds/archive
  echo "== $target for $seconds s"
  "$build/fuzz/$target" "$corpus" "$seed" -max_total_time="$seconds" -max_len=65536 \
    -artifact_prefix="$findings/$target-" -print_final_stats=1 2>&1 | tail -n 12
done
