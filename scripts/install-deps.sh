#!/usr/bin/env bash
# Installs the Debian packages Velmarion needs to build, test and run.
# Only missing packages are installed; apt runs as root or through sudo.
#   scripts/install-deps.sh             build, test and run
#   scripts/install-deps.sh --sanitize  also clang and its libFuzzer runtime, for
#                                       the number-rules fuzz target of the sanitizer run
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wqy-microhei
  poppler-utils unzip
)
# Wanted but not required: without them the sanitizer run skips the fuzz target.
# clang-14 with libclang_rt.fuzzer (Debian 12: clang -> clang-14, libclang-rt-dev -> libclang-rt-14-dev).
OPTIONAL=()
if [ "${1:-}" = "--sanitize" ]; then
  OPTIONAL=(clang libclang-rt-dev)
fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing=()
for p in "${PACKAGES[@]}"; do
  installed "$p" || missing+=("$p")
done
optional_missing=()
for p in "${OPTIONAL[@]}"; do
  installed "$p" || optional_missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ] && [ ${#optional_missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
elif command -v sudo >/dev/null 2>&1; then
  SUDO=(sudo)
elif [ ${#missing[@]} -eq 0 ]; then
  echo "Optional packages missing (${optional_missing[*]}), no root or sudo: the fuzz target will be skipped." >&2
  exit 0
else
  echo "Missing packages (${missing[*]}) and neither root nor sudo is available." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ ${#optional_missing[@]} -gt 0 ]; then
  echo "Installing optional packages: ${optional_missing[*]}"
  "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${optional_missing[@]}" ||
    echo "Could not install ${optional_missing[*]}: the fuzz target will be skipped." >&2
fi
