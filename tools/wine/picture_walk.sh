# shellcheck shell=bash
# Sourced by the scripts that walk through our windows under Wine on a virtual
# display and keep a picture of each: what they all do before and after.

# Exits 77 (skipped) when there is no Xvfb to show the windows on.
require_xvfb() {
  if ! command -v Xvfb >/dev/null 2>&1; then
    echo "SKIP: Xvfb is not installed; the windows need a display"
    exit 77
  fi
}

# An empty folder for the pictures: none of an earlier run is mistaken for this one's.
fresh_picture_dir() {
  rm -rf "$1"
  mkdir -p "$1"
}

# Inside the prefix. Wine draws the frames itself: a virtual display has no
# window manager.
undecorated_windows() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
}

# The walks write their pictures uncompressed; smaller ones are kinder to
# whoever looks.
shrink_pictures() {
  if command -v python3 >/dev/null 2>&1; then
    python3 "$(dirname "${BASH_SOURCE[0]}")/shrink_png.py" "$1"/*.png
  fi
  echo "pictures in $1"
}
