#!/usr/bin/env bash
# Configures and builds the given presets (default: linux win32).
# DP_WERROR=ON turns warnings into errors (CI sets it).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
for preset in "${@:-linux win32}"; do
  for p in $preset; do
    cmake --preset "$p" -DDP_WERROR="${DP_WERROR:-OFF}" >/dev/null
    cmake --build --preset "$p" -j "$jobs"
  done
done
