#!/usr/bin/env bash
# Makes a copy of the build tree's Wine prefix with other registry settings, once:
#   wine-prefix-variant.sh BASE DEST [--logpixels DPI] [--version WINVER]
# LogPixels is the display's density (192 gives a screen scale of 2); the version is
# what Windows reports itself as (win7, win10, ...). Tests run in DEST as in BASE.
set -euo pipefail
base="$1"
dest="$2"
shift 2
settings="$*"
if [ -f "$dest/.ready" ] && [ "$(cat "$dest/.ready")" = "$settings" ]; then
  exit 0
fi
"$(dirname "$0")/wine-prefix.sh" "$base"
rm -rf "$dest" "$dest.tmp"
cp -a "$base" "$dest.tmp"
rm -f "$dest.tmp/.ready"
export WINEPREFIX="$dest.tmp" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
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
