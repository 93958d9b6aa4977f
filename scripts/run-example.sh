#!/usr/bin/env bash
# The main job: runs drvpurge on the bundled example machine and shows what it
# did. Answers come from the image (add --ui terminal to answer yourself).
#   bash scripts/run-example.sh [image.json] [drvpurge switches...]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh linux >/dev/null
image="${1:-examples/winxp-clean.json}"
shift || true
out="build/linux/$(basename "$image" .json).after.json"
echo "== drvpurge on $image (machine saved afterwards to $out)"
set +e
build/linux/tools/sim-runner/drvpurge --machine "$image" --save-machine "$out" --ui scripted "$@"
code=$?
set -e
echo "== exit code $code"
exit "$code"
