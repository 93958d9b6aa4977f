#!/usr/bin/env bash
# Every test this machine can run: builds the linux, win32 and fuzz presets,
# runs unit, contract, scenario and benchmark-smoke tests on Linux, the
# contract and end-to-end tests under 32-bit Wine, and a short fuzz run.
# The last line is the total, as "tests: N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1
export DP_WERROR="${DP_WERROR:-$([[ -n "${CI:-}" ]] && echo ON || echo OFF)}"
bash scripts/build.sh linux win32 fuzz || { echo "tests: 0 passed, 1 failed"; exit 1; }

passed=0
failed=0
count() {  # reads ctest's summary line from a log
  local log=$1 line
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [[ -z "$line" ]]; then failed=$((failed + 1)); return; fi
  local total fail
  fail=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - fail))
  failed=$((failed + fail))
}

mkdir -p build/logs
ctest --preset linux -j 2 --timeout 300 2>&1 | tee build/logs/ctest-linux.log
count build/logs/ctest-linux.log

# Wine needs a prefix and a display; the harness makes throw-away ones.
bash tools/wine/run-ctest.sh build/win32 2>&1 | tee build/logs/ctest-win32.log
count build/logs/ctest-win32.log

bash scripts/fuzz-smoke.sh 2>&1 | tee build/logs/fuzz.log
count build/logs/fuzz.log

echo "tests: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
