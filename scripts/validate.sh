#!/usr/bin/env bash
# `make validate`: the validator at strictness 10 on the native module and on
# the Windows DLL under Wine, each with a JSON report, and the two builds'
# reference renders compared within 1e-6. Exits non-zero if anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
status=0

cmake --preset native >/dev/null && cmake --build --preset native --target plughost brasmire_aax || exit 1
cmake --preset windows >/dev/null && cmake --build --preset windows --target plughost brasmire_aax || exit 1
scripts/wine-prefix.sh "$root/build/windows/wineprefix"

echo "==== native, strictness 10"
start=$(date +%s)
build/native/bin/plughost validate build/native/Brasmire.aaxplugin \
  --strictness 10 --profile Examples/Brasmire/Brasmire.profile \
  --json build/native/validate-report.json \
  --write-reference build/native/validate-reference.f32 || status=1
echo "==== native: $(($(date +%s) - start)) s, report in build/native/validate-report.json"

echo "==== Windows under Wine, strictness 10"
start=$(date +%s)
reference="Z:${root//\//\\}\\build\\native\\validate-reference.f32"
profile="Z:${root//\//\\}\\Examples\\Brasmire\\Brasmire.profile"
(cd build/windows/bin &&
  "$root/scripts/wine-run.sh" "$root/build/windows/wineprefix" ./plughost.exe validate \
    ../Brasmire.aaxplugin --strictness 10 --profile "$profile" \
    --json validate-report.json --compare-reference "$reference") || status=1
echo "==== Windows: $(($(date +%s) - start)) s, report in build/windows/bin/validate-report.json"
exit $status
