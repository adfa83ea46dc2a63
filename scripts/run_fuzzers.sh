#!/usr/bin/env bash
# Runs every libFuzzer target of build-fuzz for a bounded time, side by side,
# from the examples, the seeds and every input that ever made it fail. A crash, a
# sanitizer report or an input that takes longer than the timeout fails the run;
# the input is then kept in build-fuzz/fuzz-artifacts and belongs in
# fuzz/regressions/<target>/ once the fault is fixed.
set -euo pipefail

HEATNET_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
FUZZ_BUILD=${1:-$HEATNET_ROOT/build-fuzz}
SECONDS_PER_TARGET=${HEATNET_FUZZ_SECONDS:-30}
TARGETS=(base_data_reader whole_calculation inp_reader)

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

declare -A pids
for target in "${TARGETS[@]}"; do
  corpus="$FUZZ_BUILD/fuzz-corpus/$target"
  artifacts="$FUZZ_BUILD/fuzz-artifacts"
  mkdir -p "$corpus" "$artifacts"
  inputs=("$HEATNET_ROOT/examples" "$HEATNET_ROOT/fuzz/seeds")
  [ -d "$HEATNET_ROOT/fuzz/seeds/$target" ] && inputs+=("$HEATNET_ROOT/fuzz/seeds/$target")
  [ -d "$HEATNET_ROOT/fuzz/regressions/$target" ] && inputs+=("$HEATNET_ROOT/fuzz/regressions/$target")
  dictionary="$HEATNET_ROOT/fuzz/$target.dict"
  [ -f "$dictionary" ] || dictionary="$HEATNET_ROOT/fuzz/base_data.dict"
  # Large enough for networks of a few hundred segments; an input that takes
  # longer than the timeout counts as a hang.
  "$FUZZ_BUILD/bin/heatnet_fuzz_$target" -max_total_time="$SECONDS_PER_TARGET" -timeout=25 \
    -rss_limit_mb=2048 -max_len=2048 -dict="$dictionary" \
    -artifact_prefix="$artifacts/$target-" -print_final_stats=1 \
    "$corpus" "${inputs[@]}" >"$FUZZ_BUILD/fuzz-$target.log" 2>&1 &
  pids[$target]=$!
done

failed=0
for target in "${TARGETS[@]}"; do
  if wait "${pids[$target]}"; then
    runs=$(grep -o 'Done [0-9]* runs' "$FUZZ_BUILD/fuzz-$target.log" | tail -1 || true)
    echo "fuzz $target: ${runs:-no run count}, no crash, no hang"
  else
    failed=1
    echo "fuzz $target: FAILED" >&2
    tail -60 "$FUZZ_BUILD/fuzz-$target.log" >&2
  fi
done
exit $failed
