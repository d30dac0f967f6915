#!/usr/bin/env bash
# The module's boundary as a host's loader sees it: exactly the seven module
# functions exported, and (for the Windows DLL) only Windows system DLLs imported.
# Usage: CheckModuleTables.sh <module file> native|windows
set -euo pipefail
module="$1"
kind="$2"
expected="ACFCanUnloadNow ACFGetClassFactory ACFGetSDKVersion ACFRegisterComponent ACFRegisterPlugin ACFShutdown ACFStartup"

if [[ "$kind" == windows ]]; then
  table="$(x86_64-w64-mingw32-objdump -p "$module")"
  # Export names: the lines after "[Ordinal/Name Pointer] Table" up to the next blank line.
  exports="$(echo "$table" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
             sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p' | sort | tr '\n' ' ' | sed 's/ $//')"
  imports="$(echo "$table" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)"
  allowed='^(kernel32|user32|gdi32|opengl32|msvcrt|advapi32|shell32|ole32|oleaut32|comdlg32|comctl32|shlwapi|wininet|ws2_32|bcrypt|imm32|winmm|uxtheme|dwmapi|version|shcore|api-ms-win-[a-z0-9-]+|ucrtbase)\.dll$'
  [[ -n "$imports" ]] || { echo "FAIL: no import table read from $module"; exit 1; }
  while read -r dll; do
    if ! [[ "$dll" =~ $allowed ]]; then
      echo "FAIL: $module imports $dll, which is not a Windows system DLL"
      exit 1
    fi
  done <<< "$imports"
  echo "imports: $(echo $imports)"
else
  exports="$(nm -D --defined-only "$module" | awk '$2 ~ /^[TtWwDdBbRrVviu]$/ {print $3}' | sort | tr '\n' ' ' | sed 's/ $//')"
fi

if [[ "$exports" != "$expected" ]]; then
  echo "FAIL: $module exports [$exports], expected [$expected]"
  exit 1
fi
echo "exports: $exports"
