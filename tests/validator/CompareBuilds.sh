#!/usr/bin/env bash
# Validates the native module and the Windows DLL (under Wine) on the same
# reference work and requires them to agree within 1e-6: the native validator
# writes its render, the Windows one compares its own with it.
# Usage: CompareBuilds.sh REPOSITORY [EXTRA VALIDATE ARGUMENTS...]
# Exits 77 (skipped) while either build's validator is missing.
set -euo pipefail
root="$1"
shift
native="$root/build/native/bin/plughost"
windows="$root/build/windows/bin/plughost.exe"
for tool in "$native" "$windows"; do
  if [ ! -e "$tool" ]; then
    echo "skipped: $tool is not built"
    exit 77
  fi
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$native" validate "$root/build/native/Brasmire.aaxplugin" \
  --only 9 --write-reference "$work/native.f32" "$@"
# Wine reaches the Linux file system through drive Z:.
cd "$root/build/windows/bin"
"$root/scripts/wine-run.sh" "$root/build/windows/wineprefix" ./plughost.exe validate \
  ../Brasmire.aaxplugin --only 9 \
  --compare-reference "Z:${work//\//\\}\\native.f32" "$@"
