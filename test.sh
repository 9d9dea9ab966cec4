#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and runs the whole test suite.
#   ./test.sh             normal build in build/
#   ./test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer in build-sanitize/,
#                         leak checks in every test, and a few seconds of fuzzing of the
#                         number rules (skipped with a message where clang is missing)
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh "${1:-}"

if [ "${1:-}" = "--sanitize" ]; then
  ./scripts/configure-build.sh build-sanitize -DVELMARION_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
  if ! command -v clang++ >/dev/null 2>&1; then
    echo "clang++ not found: the number-rules fuzz target is skipped in this run." >&2
  fi
  cd build-sanitize
else
  ./scripts/configure-build.sh build
  cd build
fi
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j 2
