#!/usr/bin/env bash
# The comparison page drawn by Windows (Wine's GDI, through our adapter) and by
# the simulated renderer, compared by picture-diff from the Linux build:
#   compare_picture.sh WINE_ENV TEMPLATE PICTURE_WINE PICTURE_DIFF OUTDIR
# Exits 77 (skipped) when the Linux build has no picture-diff.
set -euo pipefail
wine_env=$1 template=$2 picture_wine=$3 picture_diff=$4 out=$5
if [[ ! -x "$picture_diff" ]]; then
  echo "picture-diff is not built at $picture_diff (build the linux preset first)"
  exit 77
fi
rm -rf "$out"
mkdir -p "$out"
"$wine_env" --template "$template" -- wine "$picture_wine" "Z:$out"
"$picture_diff" "$out/picture.vemf" "$out/picture-wine.bmp" "$out"
