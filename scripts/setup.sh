#!/usr/bin/env bash
# Installs what the project needs on a Debian 12 machine, as root. Only what is
# missing is installed, so a second run costs a second.
set -euo pipefail

packages=(
  cmake make g++ pkg-config libcairo2-dev
  libgtest-dev libbenchmark-dev nlohmann-json3-dev libncurses-dev
  clang-14 libclang-rt-14-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
  wine wine32 xvfb xauth tmux
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  need_i386=1
fi
for p in "${packages[@]}"; do
  # wine32 is the i386 package; dpkg -s needs its architecture spelt out.
  name="$p"
  [[ "$p" == wine32 ]] && name="wine32:i386"
  dpkg -s "$name" >/dev/null 2>&1 || missing+=("$p")
done

if ((${#missing[@]})) || [[ -n "${need_i386:-}" ]]; then
  if [[ $(id -u) -ne 0 ]]; then
    echo "setup: missing packages (${missing[*]}); run this script as root" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]:-the i386 architecture} (a few minutes)"
  [[ -n "${need_i386:-}" ]] && dpkg --add-architecture i386
  # apt and dpkg talk a lot; their output is kept for when something fails.
  log=$(mktemp "${TMPDIR:-/tmp}/dp-setup.XXXXXX")
  if ! {
    apt-get -qq update &&
      DEBIAN_FRONTEND=noninteractive apt-get -qq install -y --no-install-recommends "${missing[@]}"
  } >"$log" 2>&1; then
    tail -30 "$log" >&2
    echo "setup: apt-get failed (the whole output: $log)" >&2
    exit 1
  fi
  rm -f "$log"
fi
