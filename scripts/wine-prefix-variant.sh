#!/usr/bin/env bash
# A copy of the build tree's Wine prefix set like another system, made once:
#   wine-prefix-variant.sh BASE DEST [--logpixels DPI] [--version WINVER]...
#     makes DEST (at build time, see cmake/BrasmireWinePrefixes.cmake).
# LogPixels is the display's density (144 gives a screen scale of 1.5, 192 of 2); the version
# is what Windows reports itself as (win7, win10, ...).
set -euo pipefail
base="$1"
dest="$2"
shift 2
here="$(dirname "$0")"
settings="$*"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
ready() { [ -f "$dest/.ready" ] && [ "$(cat "$dest/.ready")" = "$settings" ]; }
if ! ready; then
  "$here/wine-prefix.sh" "$base"
  (
    flock 9
    if ! ready; then
      rm -rf "$dest" "$dest.tmp"
      cp -a "$base" "$dest.tmp"
      rm -f "$dest.tmp/.ready"
      export WINEPREFIX="$dest.tmp"
      while [ $# -gt 0 ]; do
        case "$1" in
          --logpixels)
            wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null ;;
          --version)
            wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$2" /f >/dev/null ;;
          *)
            echo "wine-prefix-variant.sh: unknown setting $1" >&2
            exit 2 ;;
        esac
        shift 2
      done
      # The registry reaches its files when the prefix's server ends.
      wineserver -w
      mv "$dest.tmp" "$dest"
      printf '%s\n' "$settings" >"$dest/.ready"
    fi
  ) 9>"$dest.lock"
fi
