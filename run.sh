#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and starts Velmarion. Without a
# display it renders the tour into out/tour/ and the course-design export of
# the default design into out/export/ instead.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
# Only the program itself: the tests and benchmarks are built by test.sh.
BUILD_TARGETS=velmarion ./scripts/configure-build.sh build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): rendering the tour instead."
  mkdir -p out/tour
  QT_QPA_PLATFORM=offscreen ./build/app/velmarion --tour out/tour
  echo "The pictures are in $(pwd)/out/tour/"
  ./build/app/velmarion export --out out/export
  echo "The course-design documents of the default design are in $(pwd)/out/export/"
else
  exec ./build/app/velmarion "$@"
fi
