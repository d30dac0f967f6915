#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix: wine-run.sh PREFIX PROGRAM [ARGS...]
# CMake uses it as the cross-compiling emulator, so CTest runs Windows tests through it.
set -euo pipefail
prefix="$1"
shift
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
"$(dirname "$0")/wine-prefix.sh" "$prefix"
exec wine "$@"
