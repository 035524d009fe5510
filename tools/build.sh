#!/usr/bin/env bash
# Configures and builds into a build folder: build/ by default, build-asan/
# with --sanitize (address and undefined-behaviour sanitizers).
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build
flags=()
if [[ "${1:-}" == "--sanitize" ]]; then
  dir=build-asan
  flags+=(-DTAFELS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
fi
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
echo "$dir"
