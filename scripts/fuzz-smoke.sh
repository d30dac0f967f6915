#!/usr/bin/env bash
# Short smoke run of one libFuzzer target: fuzz-smoke.sh FUZZER CORPUS_DIR SECONDS
# The seed corpus is copied so the run never writes into the source tree.
set -euo pipefail
fuzzer="$1"
seeds="$2"
seconds="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus"
if [ -n "$seeds" ] && [ -d "$seeds" ]; then
  cp -r "$seeds"/. "$work/corpus/"
fi
cd "$work"
"$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 "$work/corpus" 2>&1 |
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|INFO: Seed|==[0-9]+==|SUMMARY|.*ERROR|.*crash)' || true
exit "${PIPESTATUS[0]}"
