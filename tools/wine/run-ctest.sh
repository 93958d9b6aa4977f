#!/usr/bin/env bash
# Runs the Windows build's tests under Wine:
#   tools/wine/run-ctest.sh BUILD_DIR [CTEST_ARGS...]
# Every test makes its own throw-away Wine prefix (wine-env.sh); this script
# only gives them one shared virtual display, so that each does not start
# its own, and removes it afterwards.
set -euo pipefail
build=${1:?usage: run-ctest.sh BUILD_DIR [CTEST_ARGS...]}
shift

# shellcheck source=display.sh
source "$(dirname "$0")/display.sh"
trap stop_private_display EXIT
ensure_display

ctest --test-dir "$build" --output-on-failure "$@"
