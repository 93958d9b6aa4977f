#!/usr/bin/env bash
# The main job: runs drvpurge on an example machine and shows what it did.
# Without arguments it runs silently (/S) on the machine with the maker's
# printers and drivers. Answers come from the image (add --ui terminal to
# answer yourself).
#   bash scripts/run-example.sh [image.json] [drvpurge switches...]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if (($# == 0)); then
  set -- examples/winxp-maker.json /S
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
build/linux/tools/sim-runner/drvpurge --machine "$image" --save-machine "$out" --ui scripted "$@"
code=$?
set -e
echo "== exit code $code"
exit "$code"
