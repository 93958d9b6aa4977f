#!/usr/bin/env bash
# Runs a walk through our windows (wizard_walk.exe, dialogs_walk.exe) under
# Wine on a virtual display and keeps its pictures.
#   run_walk.sh WINE_TEMPLATE WALK_EXE OUTPUT_DIR
# Exits 77 (skipped) when there is no Xvfb to show the windows on.
set -euo pipefail
template=$1
exe=$2
out=$3
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../../tools/wine/picture_walk.sh
source "$here/../../../tools/wine/picture_walk.sh"

require_xvfb
fresh_picture_dir "$out"

inner() {
  undecorated_windows
  timeout 90 wine "$exe" "$(winepath -w "$out")" | tr -d '\r'
}

"$here/../../../tools/wine/wine-env.sh" --template "$template" -- \
  bash -c "set -euo pipefail; $(declare -p exe out); $(declare -f inner undecorated_windows); inner"
shrink_pictures "$out"
