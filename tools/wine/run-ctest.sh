#!/usr/bin/env bash
# Runs the Windows build's tests under Wine:
#   tools/wine/run-ctest.sh BUILD_DIR [CTEST_ARGS...]
# Every test makes its own throw-away Wine prefix (wine-env.sh); this script
# only gives them one shared virtual display, so that each does not start
# its own, and removes it afterwards.
set -euo pipefail
build=${1:?usage: run-ctest.sh BUILD_DIR [CTEST_ARGS...]}
shift

# Every Wine command sets its own locale (wine-env.sh); ctest and its logs
# get the same one.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset LANGUAGE

# shellcheck source=display.sh
source "$(dirname "$0")/display.sh"
trap stop_private_display EXIT
ensure_display

ctest --test-dir "$build" --output-on-failure "$@"
