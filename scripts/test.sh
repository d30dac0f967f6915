#!/usr/bin/env bash
# Builds every preset and runs every test: native, ASan+UBSan, TSan (threaded
# tests), libFuzzer smoke runs, and the Windows build under Wine. Runs them all
# even after a failure, and exits non-zero if any failed. The Windows run comes
# last so the output ends with CTest's summary.
set -uo pipefail
cd "$(dirname "$0")/.."

failed=()
step() {
  local name="$1"
  shift
  echo "==== $name"
  if ! "$@"; then
    failed+=("$name")
  fi
}
build() {
  local preset="$1"
  shift
  cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" "$@"
}

start=$(date +%s)
step "build native" build native
step "test native" ctest --preset native -j2
step "build native-asan" build native-asan
step "test native-asan" ctest --preset native-asan -j2
step "build native-tsan" build native-tsan --target brasmire_thread_tests
step "test native-tsan" ctest --preset native-tsan --no-tests=ignore
step "build fuzz" build fuzz --target brasmire_fuzzers
# Each fuzzer is single-threaded: two at a time keep both cores busy.
step "fuzz smoke runs" ctest --preset fuzz --no-tests=ignore -j2
step "build windows" build windows
step "windows imports" scripts/check-imports.sh build/windows
scripts/wine-prefix.sh "$PWD/build/windows/wineprefix"
echo "==== $(($(date +%s) - start)) s so far"
if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED so far: ${failed[*]}"
fi
# Two at a time: Wine start-up waits more than it computes. Tests that open windows on
# the shared display take turns (their RESOURCE_LOCK).
step "test windows (Wine)" xvfb-run -a ctest --preset windows -j2
[ ${#failed[@]} -eq 0 ]
