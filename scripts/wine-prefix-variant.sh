#!/usr/bin/env bash
# Runs a Windows program in a Wine prefix set like another system:
#   wine-prefix-variant.sh BASE_PREFIX VARIANT_PREFIX KIND PROGRAM [ARGS...]
# KIND: win10 (Windows version 10) or dpi144 (display density 144 dpi).
# The variant is made once, as a copy of the base prefix with the registry value.
set -euo pipefail
base="$1"
variant="$2"
kind="$3"
shift 3
here="$(dirname "$0")"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
if [ ! -f "$variant/.ready" ]; then
  "$here/wine-prefix.sh" "$base"
  (
    flock 9
    if [ ! -f "$variant/.ready" ]; then
      rm -rf "$variant"
      cp -a "$base" "$variant"
      rm -f "$variant/.ready"
      export WINEPREFIX="$variant"
      case "$kind" in
        win10) wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1 ;;
        dpi144) wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 ;;
        *) echo "unknown prefix kind: $kind" >&2; exit 2 ;;
      esac
      wineserver -w || true
      touch "$variant/.ready"
    fi
  ) 9>"$variant.lock"
fi
exec "$here/wine-run.sh" "$variant" "$@"
