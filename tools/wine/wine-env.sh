#!/usr/bin/env bash
# Runs one command in a throw-away 32-bit Wine prefix that reports a chosen
# Windows version, on a virtual X display when there is none, and removes
# everything it made afterwards.
#
#   wine-env.sh [--version winxp] [--template DIR] [--keep] -- COMMAND [ARGS...]
#   wine-env.sh --make-template DIR
#
# --version   what the prefix reports: winxp, win2k, nt40, win98, win95 (any
#             name that Wine's HKCU\Software\Wine "Version" takes).
# --template  a prefix made with --make-template; copying it is much faster
#             than booting a new one.
# --keep      leave the prefix in place and print where it is.
# Inside COMMAND, WINEPREFIX, WINEARCH, WINEDEBUG and DISPLAY are set, and
# DP_WINE_DIR names the scratch directory (the prefix is $DP_WINE_DIR/prefix).
# The exit status is COMMAND's.
set -euo pipefail

version=winxp
template=
keep=0
make_template=

usage() { sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }

while [ $# -gt 0 ]; do
  case "$1" in
    --version) version=$2; shift 2 ;;
    --template) template=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    --make-template) make_template=$2; shift 2 ;;
    --) shift; break ;;
    -h|--help) usage ;;
    *) echo "wine-env.sh: unknown option $1" >&2; usage ;;
  esac
done

export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: nothing we run needs them and they would ask.
# Never the menu builder, whatever the caller overrides: it writes menu
# entries and file associations into the user's home, not into the prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=};winemenubuilder.exe=d"
# Wine turns Windows file names into Unix ones in the locale's character set;
# without a UTF-8 locale (cron, containers) a name such as "å" cannot be made.
# C.UTF-8 is part of libc, and one locale keeps runs alike everywhere.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset LANGUAGE

boot_prefix() {
  WINEPREFIX=$1 wineboot -i >/dev/null 2>&1
  WINEPREFIX=$1 wineserver -w
}

if [ -n "$make_template" ]; then
  # Made beside its final place and renamed, so a half-made template is never
  # mistaken for a finished one.
  if [ -f "$make_template/system.reg" ]; then exit 0; fi
  partial="$make_template.partial.$$"
  rm -rf "$partial"
  mkdir -p "$(dirname "$make_template")"
  boot_prefix "$partial"
  rm -rf "$make_template"
  mv "$partial" "$make_template"
  exit 0
fi

[ $# -gt 0 ] || usage

DP_WINE_DIR=$(mktemp -d "${TMPDIR:-/tmp}/dp-wine.XXXXXX")
export DP_WINE_DIR
export WINEPREFIX=$DP_WINE_DIR/prefix
# shellcheck source=display.sh
source "$(dirname "$0")/display.sh"

cleanup() {
  WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1 || true
  stop_private_display
  if [ "$keep" = 1 ]; then
    echo "wine-env.sh: prefix kept in $WINEPREFIX" >&2
  else
    rm -rf "$DP_WINE_DIR"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Message boxes and windows need a display: the one we were given if it
# answers, else a private Xvfb.
ensure_display

if [ -n "$template" ] && [ -f "$template/system.reg" ]; then
  cp -a "$template" "$WINEPREFIX"
else
  boot_prefix "$WINEPREFIX"
fi
wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$version" /f >/dev/null 2>&1

set +e
"$@"
status=$?
set -e
exit $status
