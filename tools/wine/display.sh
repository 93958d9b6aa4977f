# shellcheck shell=bash
# Sourced by the Wine scripts: makes sure DISPLAY names a working X display,
# starting a private Xvfb on a free number when it does not. The caller stops
# it: `stop_private_display` (a no-op when none was started).
dp_xvfb_pid=

# A local display (":N" or ":N.S") works while its socket is there and the
# server named in its lock file runs; this needs no X client tools. Any other
# display cannot be checked that way and is not used.
display_works() {
  local n pid
  case "${DISPLAY:-}" in
    :*) n=${DISPLAY#:}; n=${n%%.*} ;;
    *) return 1 ;;
  esac
  case "$n" in '' | *[!0-9]*) return 1 ;; esac
  [ -S "/tmp/.X11-unix/X$n" ] || return 1
  pid=$(tr -dc '0-9' <"/tmp/.X$n-lock" 2>/dev/null) || return 1
  [ -n "$pid" ] && [ -d "/proc/$pid" ]
}

ensure_display() {
  display_works && return 0
  local n
  for n in $(seq 90 199); do
    if [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; then continue; fi
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    dp_xvfb_pid=$!
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$dp_xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$dp_xvfb_pid" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
    # Another run took the number between the check and the start: next one.
    wait "$dp_xvfb_pid" 2>/dev/null || true
    dp_xvfb_pid=
  done
  echo "could not start Xvfb" >&2
  return 1
}

stop_private_display() {
  if [ -n "$dp_xvfb_pid" ]; then
    kill "$dp_xvfb_pid" 2>/dev/null || true
    wait "$dp_xvfb_pid" 2>/dev/null || true
    dp_xvfb_pid=
  fi
}
