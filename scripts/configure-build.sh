#!/usr/bin/env bash
# Configures and builds Velmarion into the given build directory.
# Usage: [BUILD_TARGETS="velmarion"] scripts/configure-build.sh BUILD_DIR [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="$1"
shift
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
# ccache, where present, lets several build folders share compiled objects.
if command -v ccache >/dev/null 2>&1; then set -- -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@"; fi
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" "${generator[@]}" "$@"
fi
# BUILD_TARGETS (space-separated) builds only those, e.g. the program alone.
targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build_dir" -j 2 "${targets[@]}"
