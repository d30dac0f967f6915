#!/usr/bin/env bash
# The product's main job on this machine: render audio through the effect.
# `make demo` builds the native preset first; the files land in out/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
renderer=build/native/demo/brasmire_demo
if [ ! -x "$renderer" ]; then
  echo "demo: $renderer is missing; build the native preset first (make demo does)" >&2
  exit 1
fi
mkdir -p out/demo
"$renderer" out/demo
