#!/usr/bin/env bash
# Runs every libFuzzer target briefly from its seed corpus; a crash fails, and
# so does an input that takes longer than FUZZ_TIMEOUT seconds (a hang).
# Longer runs: build/fuzz/fuzz/<target> fuzz/corpus/<target> -max_total_time=600
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
seconds="${FUZZ_SECONDS:-15}"
per_input="${FUZZ_TIMEOUT:-10}"
total=0
bad=0
for target in build/fuzz/fuzz/fuzz_*; do
  [[ -x "$target" ]] || continue
  name=$(basename "$target")
  total=$((total + 1))
  corpus=$(mktemp -d)
  seeds=()
  [[ -d "fuzz/corpus/$name" ]] && seeds=("fuzz/corpus/$name")
  # The example machines are the best seeds a machine-image fuzzer can have.
  [[ "$name" == fuzz_machine_image ]] && seeds+=(examples)
  if "$target" "$corpus" "${seeds[@]}" -max_total_time="$seconds" -timeout="$per_input" \
    -artifact_prefix=build/ -print_final_stats=0 >"build/fuzz-$name.log" 2>&1; then
    echo "fuzz $name: ok"
  else
    echo "fuzz $name: FAILED (build/fuzz-$name.log)"
    tail -30 "build/fuzz-$name.log"
    bad=$((bad + 1))
  fi
  rm -rf "$corpus"
done
# Same summary shape as ctest, so the test script can add it up.
pct=100
((total)) && pct=$(( (total - bad) * 100 / total ))
echo "$pct% tests passed, $bad tests failed out of $total"
