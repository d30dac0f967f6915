#!/usr/bin/env bash
# Installs every Debian package that the build, tests, demo, benchmarks and
# fuzzing need. Idempotent: one `apt-get update`, and only when something is missing.
set -euo pipefail

packages=(
  make cmake ninja-build pkg-config g++ gcc
  clang libclang-rt-14-dev clang-format
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libstb-dev libsndfile1-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 xvfb xauth
  libegl-dev libgl-dev libgles-dev libegl-mesa0 libgl1-mesa-dri
  libcairo2-dev fonts-roboto-unhinted python3 python3-cairo
  lv2-dev lilv-utils jalv jackd2
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "bootstrap: all ${#packages[@]} packages present"
  exit 0
fi

echo "bootstrap: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
