#!/usr/bin/env bash
# Runs one end-to-end case of drvpurge.exe under Wine and compares the message
# boxes and exit code that boxwatch saw with the case's expected journal.
#
#   run_case.sh CASE_FILE WINE_TEMPLATE DRVPURGE_EXE SETUPUI_DLL BOXWATCH_EXE SEED_EXE VORLOG_DLL LOGSTORE_EXE
#
# CASE_FILE (bash) sets:
#   version   Windows version Wine reports (winxp, win2k, nt40, win98, win95)
#   setupui   yes: SETUPUI.DLL lies beside drvpurge.exe; no: it is missing
#   answers   array of button names for the boxes, in order
#   args      array of drvpurge.exe arguments
#   gone      array of paths under drive C that must not exist once every
#             program the run started has ended
#   files     array of "path|text" written under drive C before the run
#             (printf escapes such as \r\n in the text are expanded)
#   seed      yes: SEED_EXE installs the maker's printers before the run and
#             lists the printers left (one journal line each) after it
#   logserver yes (default): the install-log server VORLOG_DLL lies in
#             C:\Program Files\BREVIK and is registered with regsvr32;
#             no: the machine has no server
#   log       a machine image beside the case whose install log LOGSTORE_EXE
#             writes as the server's store before the run; after it, the
#             journal lists the components left in the store (one line each)
#   kept      array of paths under drive C that must still exist once every
#             program the run started has ended
#   reg       a .reg file beside the case that regedit imports before the run
#   regGone   array of "KEY" or "KEY|VALUE" (KEY with its root, such as
#             HKLM\SOFTWARE\...) that must not exist after the run
#   regKept   array of the same that must still exist after it
# Beside it, CASE.expected holds the expected journal lines.
set -euo pipefail

case_file=$1
template=$2
drvpurge=$3
setupui_dll=$4
boxwatch=$5
seed_exe=$6
vorlog_dll=$7
logstore_exe=$8
here=$(cd "$(dirname "$0")" && pwd)
case_dir=$(cd "$(dirname "$case_file")" && pwd)
expected="${case_file%.case}.expected"

version=winxp
setupui=yes
answers=()
args=()
gone=()
files=()
kept=()
reg=
regGone=()
regKept=()
seed=no
logserver=yes
log=
# shellcheck source=/dev/null
source "$case_file"

answer_opts=()
for a in "${answers[@]}"; do answer_opts+=(--answer "$a"); done

out=$(mktemp)
trap 'rm -f "$out"' EXIT

inner() {
  # The layout of a real installation: the uninstaller in the install
  # directory under Program Files, its resource library beside it.
  local install="$WINEPREFIX/drive_c/Program Files/BREVIK/Install"
  mkdir -p "$install"
  cp "$drvpurge" "$install/drvpurge.exe"
  if [ "$setupui" = yes ]; then cp "$setupui_dll" "$install/SETUPUI.DLL"; fi
  local entry
  for entry in "${files[@]}"; do
    mkdir -p "$(dirname "$WINEPREFIX/drive_c/${entry%%|*}")"
    printf '%b' "${entry#*|}" >"$WINEPREFIX/drive_c/${entry%%|*}"
  done
  if [ "$seed" = yes ]; then timeout 60 wine "$seed_exe" seed >&2; fi
  if [ -n "$reg" ]; then timeout 60 wine regedit /S "$(winepath -w "$case_dir/$reg")"; fi
  local store="$WINEPREFIX/drive_c/Program Files/BREVIK/vorlog.dat"
  if [ "$logserver" = yes ]; then
    cp "$vorlog_dll" "$WINEPREFIX/drive_c/Program Files/BREVIK/vorlog.dll"
    timeout 60 wine regsvr32 /s 'C:\Program Files\BREVIK\vorlog.dll'
  fi
  if [ -n "$log" ]; then
    timeout 60 wine "$logstore_exe" "$(winepath -w "$case_dir/$log")" 'C:\Program Files\BREVIK\vorlog.dat'
  fi
  timeout 55 wine "$boxwatch" --timeout 40 "${answer_opts[@]}" -- \
    'C:\Program Files\BREVIK\Install\drvpurge.exe' "${args[@]}" | tr -d '\r' >"$out" || true
  if [ $((${#gone[@]} + ${#kept[@]})) -gt 0 ]; then
    # What the uninstaller leaves to programs it started goes once they end.
    timeout 30 wineserver -w || true
    local path
    for path in "${gone[@]}"; do
      if [ -e "$WINEPREFIX/drive_c/$path" ]; then echo "{\"event\":\"stillThere\",\"path\":\"$path\"}" >>"$out"; fi
    done
    for path in "${kept[@]}"; do
      if [ ! -e "$WINEPREFIX/drive_c/$path" ]; then echo "{\"event\":\"missing\",\"path\":\"$path\"}" >>"$out"; fi
    done
  fi
  local entry_key
  for entry_key in "${regGone[@]}"; do
    if reg_exists "$entry_key"; then echo "{\"event\":\"registryStillThere\",\"entry\":\"${entry_key//\\/\\\\}\"}" >>"$out"; fi
  done
  for entry_key in "${regKept[@]}"; do
    if ! reg_exists "$entry_key"; then echo "{\"event\":\"registryMissing\",\"entry\":\"${entry_key//\\/\\\\}\"}" >>"$out"; fi
  done
  if [ "$seed" = yes ]; then
    timeout 30 wineserver -w || true
    timeout 60 wine "$seed_exe" printers | tr -d '\r' >>"$out"
  fi
  if [ -n "$log" ]; then
    if [ -f "$store" ]; then
      # The store's keys as JSON texts (backslashes and quotes escaped).
      sed -n '/^component /{s/\r$//; s/^component //; s/\\/\\\\/g; s/"/\\"/g; s/.*/{"event":"logged","key":"&"}/p}' \
        "$store" >>"$out"
    else
      echo '{"event":"logStoreGone"}' >>"$out"
    fi
  fi
}

# Whether a registry key ("KEY") or a value in it ("KEY|VALUE") exists.
reg_exists() {
  local key=${1%%|*}
  if [ "$key" = "$1" ]; then
    timeout 30 wine reg query "$key" >/dev/null 2>&1
  else
    timeout 30 wine reg query "$key" /v "${1#*|}" >/dev/null 2>&1
  fi
}

# The case runs in a child shell inside the prefix; hand it what it needs.
"$here/../../tools/wine/wine-env.sh" --version "$version" --template "$template" -- \
  bash -c "set -u; $(declare -p answer_opts args gone kept files reg regGone regKept seed seed_exe drvpurge setupui \
    setupui_dll boxwatch out logserver log vorlog_dll logstore_exe case_dir); $(declare -f inner reg_exists); inner"

if diff -u "$expected" "$out"; then
  echo "PASS: $(basename "$case_file" .case) ($version)"
else
  echo "FAIL: journal differs from $expected" >&2
  exit 1
fi
