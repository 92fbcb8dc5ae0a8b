#!/usr/bin/env bash
# The main job: builds the Windows configuration, lays out a demo drive with the EICAR test file
# and the harmless test samples, and runs Vestra.exe under Wine on it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${VESTRA_DEMO_BUILD:-$root/build/demo}

bash tools/install-deps.sh

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" >/dev/null
ninja -C "$build" Vestra VestEngine vestra_database winauto e2e_control_ids

VESTRA_BINARY_DIR="$build" exec tests/wine/wine-run.sh --unix python3 tools/demo.py "$@"
