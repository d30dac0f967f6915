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
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1"
}

start=$(date +%s)
step "build native" build native
step "test native" ctest --preset native
step "build native-asan" build native-asan
step "test native-asan" ctest --preset native-asan
step "build native-tsan" build native-tsan
step "test native-tsan" ctest --preset native-tsan --no-tests=ignore
step "build fuzz" build fuzz
step "fuzz smoke runs" ctest --preset fuzz --no-tests=ignore
step "build windows" build windows
step "windows imports" scripts/check-imports.sh build/windows
scripts/wine-prefix.sh "$PWD/build/windows/wineprefix"
step "test windows (Wine)" xvfb-run -a ctest --preset windows
end=$(date +%s)

echo "==== make test took $((end - start)) s"
if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED: ${failed[*]}"
  # Repeat the failing summary last so it is what a reader sees.
  exit 1
fi
exit 0
