#!/usr/bin/env bash
# The main job: builds the Windows configuration, lays out a demo drive with the EICAR test file
# and the harmless test samples, and runs Vestra.exe under Wine on it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${VESTRA_DEMO_BUILD:-$root/build/demo}

bash tools/install-deps.sh

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" >/dev/null
ninja -C "$build"

exec python3 tools/demo.py --build "$build" "$@"
