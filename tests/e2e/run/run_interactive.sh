#!/usr/bin/env bash
# Runs interactive_walk.exe under Wine on a virtual display: it seeds the
# prefix, drives drvpurge.exe installed where the maker's setup puts it, and
# keeps a picture of every window.
#   run_interactive.sh WINE_TEMPLATE WALK_EXE DRVPURGE_EXE SETUPUI_DLL FAKE_DRIVER_DLL OUTPUT_DIR VORLOG_DLL
# The install-log server is registered, holding an empty log.
# Exits 77 (skipped) when there is no Xvfb to show the windows on.
set -euo pipefail
template=$1
walk_exe=$2
drvpurge=$3
setupui_dll=$4
fake_dll=$5
out=$6
vorlog_dll=$7
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../../tools/wine/picture_walk.sh
source "$here/../../../tools/wine/picture_walk.sh"

require_xvfb
fresh_picture_dir "$out"

inner() {
  undecorated_windows
  local install="$WINEPREFIX/drive_c/Program Files/BREVIK/Install"
  mkdir -p "$install"
  cp "$drvpurge" "$install/drvpurge.exe"
  cp "$setupui_dll" "$install/SETUPUI.DLL"
  cp "$vorlog_dll" "$install/../vorlog.dll"
  timeout 60 wine regsvr32 /s 'C:\Program Files\BREVIK\vorlog.dll'
  timeout 120 wine "$walk_exe" "$(winepath -w "$out")" 'C:\Program Files\BREVIK\Install\drvpurge.exe' \
    "$(winepath -w "$fake_dll")" | tr -d '\r'
}

# Without winedbg a crash ends the run at once instead of waiting for a debugger.
WINEDLLOVERRIDES="mscoree,mshtml,winedbg.exe=" "$here/../../../tools/wine/wine-env.sh" --version winxp \
  --template "$template" -- \
  bash -c "set -euo pipefail; $(declare -p walk_exe drvpurge setupui_dll fake_dll out vorlog_dll); $(declare -f inner undecorated_windows); inner"
shrink_pictures "$out"
