#!/usr/bin/env bash
# The product's main job on this machine: render audio through the effect.
# A synthesised piece is rendered by plughost through the built module, as a
# host would, at three settings, then measured by `plughost analyze` at Drive
# 24 dB with oversampling off and on. `make demo` builds the native preset
# first; the files and plots land in out/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
synth=build/native/demo/brasmire_demo
plughost=build/native/bin/plughost
module=build/native/Brasmire.aaxplugin
for tool in "$synth" "$plughost"; do
  if [ ! -x "$tool" ]; then
    echo "demo: $tool is missing; build the native preset first (make demo does)" >&2
    exit 1
  fi
done
mkdir -p out/demo
"$synth" out/demo/input.wav
echo "settings: Mix 100 %, Tone 50 %, Output 0 dB unless named"
"$plughost" render "$module" out/demo/input.wav out/demo/clean.wav
"$plughost" render "$module" out/demo/input.wav out/demo/drive24.wav --param Drive=24
"$plughost" render "$module" out/demo/input.wav out/demo/drive40-oversampled.wav \
  --param Drive=40 --param Oversampling=1
for oversampling in 0 1; do
  folder=out/demo/analysis-drive24-oversampling$oversampling
  echo "analysis: Drive 24 dB, Oversampling $oversampling"
  "$plughost" analyze "$module" --param Drive=24 --param Oversampling=$oversampling \
    --plots "$folder"
done
echo "plots: out/demo/analysis-drive24-oversampling{0,1}/{response,thd,spectrum,aliasing,cpu}.png"

# The editor as a host's surface shows it: at screen scale 2, and after a
# scripted drag of the Output knob.
"$plughost" editor "$module" --scale 2 --screenshot out/demo/editor.png
"$plughost" editor "$module" --scale 2 --events Examples/Brasmire/demo/knob-drag.events \
  --frames 5 --screenshot out/demo/editor-knob-drag.png
echo "editor: out/demo/editor.png, out/demo/editor-knob-drag.png"
