#!/usr/bin/env bash
# Creates the Wine prefix once (wineboot is slow and must not run twice at the same time).
set -euo pipefail
prefix="$1"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
[ -f "$prefix/.ready" ] && exit 0
mkdir -p "$prefix"
(
  flock 9
  if [ ! -f "$prefix/.ready" ]; then
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w || true
    touch "$prefix/.ready"
  fi
) 9>"$prefix.lock"
