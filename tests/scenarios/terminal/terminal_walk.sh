#!/usr/bin/env bash
# Walks the terminal front end in a detached tmux session: keys go in with
# send-keys, every screen is captured as text into OUT_DIR and the output, and
# the saved machine says what the walk did.
#   terminal_walk.sh DRVPURGE IMAGE OUT_DIR
set -uo pipefail
drvpurge=$1
image=$2
out=$3
command -v tmux >/dev/null || { echo "tmux is not installed: skipped"; exit 77; }
rm -rf "$out"
mkdir -p "$out"
socket=
failures=0
trap '[[ -n "$socket" ]] && tmux -L "$socket" kill-server 2>/dev/null' EXIT

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Starts drvpurge in a 100x30 terminal of its own; the exit code lands in
# OUT_DIR/NAME.exit once it ends, and what it printed on the terminal
# afterwards in OUT_DIR/NAME.log.
start() {
  local name=$1
  shift
  # A server of its own for each run: a server still ending could swallow
  # the next session.
  [[ -n "$socket" ]] && tmux -L "$socket" kill-server 2>/dev/null
  socket="dp-walk-$$-$name"
  tmux -L "$socket" -f /dev/null new-session -d -x 100 -y 30 -s walk \
    "TERM=xterm $(printf '%q ' "$drvpurge" "$@") 2>'$out/$name.err'; echo \$? >'$out/$name.exit'; sleep 600"
}

# Waits (up to 15 s) for TEXT on the screen, then keeps the screen as
# OUT_DIR/SHOT.txt and prints it.
screen() {
  local text=$1 shot=$2
  for _ in $(seq 150); do
    if tmux -L "$socket" capture-pane -p -t walk | grep -qF -- "$text"; then
      tmux -L "$socket" capture-pane -p -t walk >"$out/$shot.txt"
      echo "---- $shot"
      cat "$out/$shot.txt"
      return 0
    fi
    sleep 0.1
  done
  tmux -L "$socket" capture-pane -p -t walk >"$out/$shot.txt"
  fail "\"$text\" never showed; the screen was:"
  cat "$out/$shot.txt"
  return 1
}

keys() { tmux -L "$socket" send-keys -t walk "$@"; }

# Waits for the run to end and checks its exit code.
ended() {
  local name=$1 want=$2
  for _ in $(seq 150); do
    [[ -s "$out/$name.exit" ]] && break
    sleep 0.1
  done
  tmux -L "$socket" capture-pane -p -J -S -300 -t walk >"$out/$name.log"
  local code
  code=$(cat "$out/$name.exit" 2>/dev/null)
  [[ "$code" == "$want" ]] || fail "$name ended with '${code:-nothing}', not $want: $(cat "$out/$name.err")"
}

expect_in() {
  local file=$1 text=$2 why=$3
  grep -qF -- "$text" "$file" || fail "$why: no '$text' in $(basename "$file")"
}
expect_not_in() {
  local file=$1 text=$2 why=$3
  ! grep -qF -- "$text" "$file" || fail "$why: '$text' in $(basename "$file")"
}

# 1. The whole walk: tick the printers, Next, Uninstall Now, and cancel the
#    wait for a printer's queue; that printer stays.
start full --machine "$image" --save-machine "$out/full.json" --ui terminal
screen "[ ] Printer Objects" 01-select
# The five components of the example's install log come first.
keys Down Down Down Down Down Space
screen "[x] BREVIK BRV-4500 PS" 02-select-ticked
keys Enter
screen "Uninstall Now" 03-confirm
expect_in "$out/03-confirm.txt" "BREVIK BRV-2100" "the confirmation lists the chosen printer"
keys n
screen "Seconds left: 30" 04-wait
keys c
screen "Uninstall is complete." 05-complete
keys Enter
ended full 0
expect_in "$out/full.log" "printer BREVIK BRV-2100" "the printer without jobs was removed"
expect_in "$out/full.log" "Printers not removed:" "the printer whose wait was cancelled stayed"
expect_in "$out/full.json" '"endedBy": "cancel"' "Cancel ended the wait"
expect_not_in "$out/full.json" '"event": "restart' "nothing asked for a restart"

# 2. A file held for good needs a restart; Escape closes the completion
#    dialog without OK, which must not restart Windows.
sed '/vkpcl2ui.dll/{n;s/"lockedBy": "Spooler"/"locked": true/}' "$image" >"$out/held.json"
start held --machine "$out/held.json" --save-machine "$out/held-after.json" --ui terminal
screen "[ ] Printer Objects" 06-held-select
keys Down Down Down Down Down Down Space Enter
screen "Uninstall Now" 07-held-confirm
expect_not_in "$out/07-held-confirm.txt" "BREVIK BRV-4500 PS" "only the ticked printer is confirmed"
keys n
screen "Yes, I want to restart Windows now." 08-restart-choice
keys Escape
ended held 0
expect_in "$out/held.log" "Restart needed to finish: yes" "the held file needs a restart"
expect_not_in "$out/held-after.json" '"event": "restart' "closing without OK never restarts"

# 3. Nothing ticked: Next stays on the page; Exit ends with nothing removed.
start exit --machine "$image" --save-machine "$out/exit.json" --ui terminal
screen "[ ] Printer Objects" 09-exit-select
keys Enter
screen "Tick at least one item first." 10-nothing-ticked
keys x
ended exit 0
expect_not_in "$out/exit.log" "Removed:" "Exit removes nothing"
expect_in "$out/exit.json" '"answer": "IDCANCEL"' "the wizard ended with Exit"

echo "screens in $out"
if ((failures)); then
  echo "terminal walk: $failures failure(s)"
  exit 1
fi
echo "terminal walk: passed"
