#!/usr/bin/env bash
# The product's main job on this machine: render audio through the effect.
set -euo pipefail
cat <<'MSG'
Brasmire demo: the drive effect itself is not built yet.
What exists so far is the build and test foundation: the plug-in framework's
parameter model and processing frame, built natively and for Windows, with
their tests (run `make test`). The demo will render audio through the effect
once the signal path lands.
MSG
