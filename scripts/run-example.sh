#!/usr/bin/env bash
# The main job: runs drvpurge on an example machine and shows what it did.
# Without arguments it takes the machine with the maker's printers and
# drivers: on a terminal it shows the wizard there, anywhere else (a pipe,
# CI) it runs silently (/S). With arguments, the image and drvpurge's own
# switches; answers then come from the terminal when there is one, else from
# the image.
#   bash scripts/run-example.sh [image.json] [drvpurge switches...]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# A terminal the full-screen wizard can use: both ends a tty, and a TERM
# that can place the cursor (a bare root shell may have none, or "dumb").
terminal=
ui=scripted
if [[ -t 0 && -t 1 ]] && tput -T "${TERM:-dumb}" cup 0 0 >/dev/null 2>&1; then
  terminal=1
  ui=terminal
fi
if (($# == 0)); then
  if [[ -n "$terminal" ]]; then
    set -- examples/winxp-maker.json
  else
    echo "== no terminal here: the silent run (/S) instead of the wizard"
    set -- examples/winxp-maker.json /S
  fi
fi
image=$1
shift

# Only the runner is built, not the tests beside it.
echo "== building drvpurge for Linux in build/linux (the first time takes a few minutes)"
mkdir -p build
log=build/run-example-build.log
jobs=$(nproc 2>/dev/null || echo 2)
if ! { cmake --preset linux && cmake --build --preset linux --target drvpurge -j "$jobs"; } >"$log" 2>&1; then
  tail -40 "$log"
  echo "== the build failed (the whole log: $log)"
  exit 1
fi

out="build/linux/$(basename "$image" .json).after.json"
echo "== drvpurge on $image${*:+ with $*} (machine saved afterwards to $out)"
set +e
build/linux/tools/sim-runner/drvpurge --machine "$image" --save-machine "$out" --ui "$ui" "$@"
code=$?
set -e
echo "== exit code $code"
exit "$code"
