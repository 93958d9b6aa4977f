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

if ! command -v Xvfb >/dev/null 2>&1; then
  echo "SKIP: Xvfb is not installed; the windows need a display"
  exit 77
fi
rm -rf "$out"
mkdir -p "$out"

inner() {
  # Wine draws the frames itself: a virtual display has no window manager.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  timeout 90 wine "$exe" "$(winepath -w "$out")" | tr -d '\r'
}

"$here/../../../tools/wine/wine-env.sh" --template "$template" -- \
  bash -c "set -euo pipefail; $(declare -p exe out); $(declare -f inner); inner"
# The walk writes them uncompressed; smaller ones are kinder to whoever looks.
if command -v python3 >/dev/null 2>&1; then
  python3 "$here/../../../tools/wine/shrink_png.py" "$out"/*.png
fi
echo "pictures in $out"
