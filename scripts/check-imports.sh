#!/usr/bin/env bash
# Fails when a Windows binary of ours imports a DLL that is not part of Windows
# (a dynamically linked libstdc++, libgcc or winpthread would not load on a user's machine).
set -euo pipefail
dir="$1"
allowed='^(kernel32|user32|gdi32|opengl32|msvcrt|advapi32|shell32|ole32|oleaut32|comdlg32|comctl32|shlwapi|wininet|ws2_32|bcrypt|imm32|winmm|uxtheme|dwmapi|version|shcore|api-ms-win-[a-z0-9-]+|ucrtbase)\.dll$'
status=0
count=0
while IFS= read -r -d '' bin; do
  count=$((count + 1))
  while read -r dll; do
    lower="$(echo "$dll" | tr 'A-Z' 'a-z')"
    if ! [[ "$lower" =~ $allowed ]]; then
      echo "FAIL: $bin imports $dll, which is not a Windows system DLL"
      status=1
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$bin" | sed -n 's/^[[:space:]]*DLL Name: //p')
done < <(find "$dir" -path "$dir/wineprefix*" -prune -o -path "$dir/third_party" -prune -o -name CMakeFiles -prune -o \
           -type f \( -name '*.exe' -o -name '*.dll' -o -name '*.aaxplugin' \) -print0)
echo "checked the imports of $count Windows binaries"
exit $status
